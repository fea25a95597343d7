#include "controls/PopupGrid.h"
#include "controls/DBGCustomize.h"
#include "controls/GridExport.h"
#include "controls/GridLayout.h"
#include "controls/ZYRXDBGrid.h"
#include "shell/AppPaths.h"
#include "shell/ProgramIdentity.h"

#include <QLinearGradient>
#include <QPainter>
#include <QPaintEvent>
#include <QProxyStyle>
#include <QStyleOptionMenuItem>

#include <algorithm>

namespace {

// Items as tall as the main window's 32-pixel pictures; this also gives the margin's text room.
class PopupGridStyle : public QProxyStyle {
public:
    QSize sizeFromContents(ContentsType type, const QStyleOption* option, const QSize& size, const QWidget* widget) const override
    {
        QSize s = QProxyStyle::sizeFromContents(type, option, size, widget);
        const auto* item = qstyleoption_cast<const QStyleOptionMenuItem*>(option);
        if (type == CT_MenuItem && item && item->menuItemType != QStyleOptionMenuItem::Separator)
            s.setHeight(std::max(s.height(), TPopupGrid::kItemHeight));
        return s;
    }
};

} // namespace

TPopupGrid::TPopupGrid(QWidget* parent) : QMenu(parent)
{
    setObjectName(QStringLiteral("PopupGrid"));
    auto* style = new PopupGridStyle;
    style->setParent(this);
    setStyle(style);
    setContentsMargins(kMarginWidth, 0, 0, 0);
    auto item = [this](const char* name, const QString& text, auto action) {
        QAction* a = addAction(text);
        a->setObjectName(QLatin1String(name));
        connect(a, &QAction::triggered, this, [this, action] {
            if (TZYRXDBGrid* g = grid())
                action(g);
        });
        return a;
    };
    auto form = [](TZYRXDBGrid* g) { return IniDir() + GridFormName(g); };
    YerlesimKaydet1 = item("YerlesimKaydet1", QStringLiteral("Tablo Yerleşimini Kaydet"),
                           [form](TZYRXDBGrid* g) { SaveGridLayout(g, form(g) + QStringLiteral(".ini")); });
    YerlesimYukle1 = item("YerlesimYukle1", QStringLiteral("Kayıtlı Tablo Yerleşimini Yükle"),
                          [form](TZYRXDBGrid* g) { LoadGridLayout(g, form(g) + QStringLiteral(".ini")); });
    addSeparator();
    OrjinalYukle1 = item("OrjinalYukle1", QStringLiteral("Orjinal Tablo Yerleşimini Yükle"),
                         [form](TZYRXDBGrid* g) { LoadGridLayout(g, form(g) + QStringLiteral("_o.ini")); });
    addSeparator();
    ExcelAktar1 = item("ExcelAktar1", QStringLiteral("Excel' e Aktar"),
                       [](TZYRXDBGrid* g) { ExportGridToExcel(g, ProgramDir() + QStringLiteral("TEMP/Temp"), 1); });
    HtmlAktar1 = item("HtmlAktar1", QStringLiteral("HTML' ye Aktar"),
                      [](TZYRXDBGrid* g) { ExportGridToHtml(g, ProgramDir() + QStringLiteral("TEMP/Temp")); });
    addSeparator();
    Ozellestir1 = item("Ozellestir1", QStringLiteral("Özelleştir"), [](TZYRXDBGrid* g) { CustomizeGrid(g); });
    TamEkran1 = item("TamEkran1", QStringLiteral("Tam Ekram"), [](TZYRXDBGrid* g) { ShowGridFullScreen(g); });
}

void TPopupGrid::popupFor(QWidget* control, const QPoint& globalPos)
{
    m_component = control;
    popup(globalPos);
}

TZYRXDBGrid* TPopupGrid::grid() const { return qobject_cast<TZYRXDBGrid*>(m_component.data()); }

QString TPopupGrid::marginText()
{
    return ProgramIdentity::ProductName + QLatin1Char(' ') + ProgramIdentity::Version;
}

void TPopupGrid::paintEvent(QPaintEvent* event)
{
    QMenu::paintEvent(event);
    QPainter p(this);
    const QRect margin(0, 0, kMarginWidth, height());
    QLinearGradient g(margin.topLeft(), margin.bottomLeft());
    g.setColorAt(0, QColor(0, 0, 255));
    g.setColorAt(1, QColor(0, 0, 255 / 4));
    p.fillRect(margin, g);

    QFont f(QStringLiteral("Arial"));
    f.setPointSize(14);
    f.setBold(true);
    p.setFont(f);
    p.setPen(Qt::white);
    const QFontMetrics fm(f);
    // Upwards from 20 pixels above the bottom edge, the glyphs centred across the margin.
    p.translate((kMarginWidth + fm.ascent() - fm.descent()) / 2, height() - 20);
    p.rotate(-90);
    p.drawText(0, 0, marginText());
}

QString GridFormName(const TZYRXDBGrid* grid)
{
    if (!grid)
        return {};
    const QWidget* form = grid->window();
    if (!form->objectName().isEmpty())
        return form->objectName();
    QString cls = QString::fromLatin1(form->metaObject()->className());
    if (cls.startsWith(QLatin1Char('T')))
        cls.remove(0, 1);
    return cls;
}

void RaporGridSakla(TZYRXDBGrid* grid)
{
    if (!grid)
        return;
    const QString base = IniDir() + GridFormName(grid);
    SaveGridLayout(grid, base + QStringLiteral("_o.ini"));
    LoadGridLayout(grid, base + QStringLiteral(".ini"));
}
