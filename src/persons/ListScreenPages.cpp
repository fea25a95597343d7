// The diagram pages of the list screens that draw trees: the list page, the tree view page and the
// diagram page with its zoom, picture and rebuild tools, and the full-screen menu. The drawing
// itself belongs to the screens, reached through the virtual hooks.
#include "persons/ListScreen.h"

#include "controls/ZYRXDBGrid.h"
#include "controls/ZySpeedButton.h"
#include "controls/ZyWinButton.h"
#include "shell/DialogService.h"
#include "shell/GeneralRoutines.h"

#include <QAction>
#include <QApplication>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QMenu>
#include <QScrollArea>
#include <QSignalBlocker>
#include <QSpinBox>
#include <QStyle>
#include <QTabWidget>
#include <QToolBar>
#include <QTreeWidget>
#include <QVBoxLayout>

namespace {

// Entries of the picture save dialog; the entry number picks the bitmap's colour depth.
const QString kPictureFilter = QStringLiteral("İki Renkli Bit Eşlem (*.bmp);;16 Renkli Bit Eşlem (*.bmp);;"
                                              "256 Renk Bit Eşlem (*.bmp);;65.536 Renk Bit Eşlem (*.bmp);;"
                                              "24-bit Bit Eşlem (*.bmp)");

void showPlainMessage(QWidget* parent, const QString& text)
{
    MessageRequest r;
    r.caption = QGuiApplication::applicationDisplayName();
    r.text = text;
    r.icon = MsgIcon::None;
    r.buttons = MbOk;
    DialogService::instance().message(parent, r);
}

} // namespace

void TListScreen::buildDiagramPages()
{
    PageControl2 = new QTabWidget(this);
    PageControl2->setObjectName(QStringLiteral("PageControl2"));
    auto page = [this](const char* name, const QString& caption) {
        auto* w = new QWidget(PageControl2);
        w->setObjectName(QLatin1String(name));
        PageControl2->addTab(w, caption);
        return w;
    };

    TabSheet5 = page("TabSheet5", QStringLiteral("Filtrelenen Kayıtlar"));
    auto* v5 = new QVBoxLayout(TabSheet5);
    v5->setContentsMargins(0, 0, 0, 0);
    v5->addWidget(ZYRXDBGrid1, 1);

    TabSheet6 = page("TabSheet6", QStringLiteral("Dikey Ağaç Şeması"));
    auto* v6 = new QVBoxLayout(TabSheet6);
    v6->setContentsMargins(0, 0, 0, 0);
    TV1 = new QTreeWidget(TabSheet6);
    TV1->setObjectName(QStringLiteral("TV1"));
    TV1->setHeaderHidden(true);
    TV1->setIndentation(43);
    TV1->setEditTriggers(QAbstractItemView::NoEditTriggers);
    v6->addWidget(TV1, 1);

    TabSheet7 = page("TabSheet7", QStringLiteral("Yatay Ağaç Şeması"));
    auto* v7 = new QVBoxLayout(TabSheet7);
    v7->setContentsMargins(0, 0, 0, 0);
    v7->setSpacing(0);
    Panel8 = new QFrame(TabSheet7);
    Panel8->setObjectName(QStringLiteral("Panel8"));
    auto* bar = new QHBoxLayout(Panel8);
    bar->setContentsMargins(2, 2, 2, 2);
    auto button = [this](const char* name, const QString& caption, const QString& hint, QStyle::StandardPixmap icon) {
        auto* b = new TZyWinButton(Panel8);
        b->setObjectName(QLatin1String(name));
        b->setCaption(caption);
        b->setToolTip(hint);
        b->setGlpyh(style()->standardIcon(icon).pixmap(16, 16));
        b->setFixedHeight(28);
        if (caption.isEmpty())
            b->setFixedWidth(32);
        return b;
    };
    RebuildButton = button("ZyWinButton9", QString(), QStringLiteral("Şemayı Yeniden Oluştur (F5)"),
                           QStyle::SP_BrowserReload);
    ZoomInButton = button("ZyWinButton2", QString(), QStringLiteral("Yakınlaştır (+)"), QStyle::SP_ArrowUp);
    ZoomOutButton = button("ZyWinButton7", QString(), QStringLiteral("Uzaklaştır (-)"), QStyle::SP_ArrowDown);
    SavePictureButton = button("ZyWinButton8", QStringLiteral("Resim Olarak Kaydet"),
                               QStringLiteral("Resim Olarak Kaydet (*.Jpg, *.Bmp)"), QStyle::SP_DialogSaveButton);
    SavePictureButton->setFixedWidth(150);
    Panel6 = new QFrame(Panel8);
    Panel6->setObjectName(QStringLiteral("Panel6"));
    auto* zoom = new QHBoxLayout(Panel6);
    zoom->setContentsMargins(0, 0, 0, 0);
    RxSpinEdit1 = new QSpinBox(Panel6);
    RxSpinEdit1->setObjectName(QStringLiteral("RxSpinEdit1"));
    RxSpinEdit1->setRange(10, 1000);
    RxSpinEdit1->setSingleStep(10);
    RxSpinEdit1->setValue(100);
    ZySpeedButton1 = new TZySpeedButton(Panel6);
    ZySpeedButton1->setObjectName(QStringLiteral("ZySpeedButton1"));
    ZySpeedButton1->setText(QStringLiteral("Ayarla"));
    zoom->addWidget(new QLabel(QStringLiteral("%"), Panel6));
    zoom->addWidget(RxSpinEdit1);
    zoom->addWidget(ZySpeedButton1);
    for (QWidget* w : std::initializer_list<QWidget*>{RebuildButton, ZoomInButton, ZoomOutButton, SavePictureButton, Panel6})
        bar->addWidget(w);
    bar->addStretch(1);
    v7->addWidget(Panel8);
    ScrollBox2 = new QScrollArea(TabSheet7);
    ScrollBox2->setObjectName(QStringLiteral("ScrollBox2"));
    ScrollBox2->setFrameShape(QFrame::NoFrame);
    ScrollBox2->setBackgroundRole(QPalette::Base);
    ScrollBox2->setStyleSheet(QStringLiteral("#ScrollBox2 { background: white; }"));
    v7->addWidget(ScrollBox2, 1);

    connect(RebuildButton, &TZyWinButton::OnClick, this, [this] { RebuildDiagram(); });
    connect(ZoomInButton, &TZyWinButton::OnClick, this, [this] { ZoomIn(); });
    connect(ZoomOutButton, &TZyWinButton::OnClick, this, [this] { ZoomOut(); });
    connect(SavePictureButton, &TZyWinButton::OnClick, this, [this] { SaveAsPicture(); });
    connect(ZySpeedButton1, &QToolButton::clicked, this, [this] { ApplyTypedZoom(); });
    connect(PageControl2, &QTabWidget::currentChanged, this, [this](int index) { pageChanging(index); });
    RxSpinEdit1->installEventFilter(this);
    for (QObject* child : RxSpinEdit1->children())
        if (child->isWidgetType())
            child->installEventFilter(this);

    PopupMenu1 = new QMenu(this);
    PopupMenu1->setObjectName(QStringLiteral("PopupMenu1"));
    TamEkranAction = PopupMenu1->addAction(QStringLiteral("Tam Ekran"), this, [this] { FullScreen(); });
    TamEkranAction->setObjectName(QStringLiteral("TamEkran"));
    NormalEkranAction = PopupMenu1->addAction(QStringLiteral("Normal Ekran"), this, [this] { NormalScreen(); });
    NormalEkranAction->setObjectName(QStringLiteral("NormalEkran"));
    NormalEkranAction->setEnabled(false);
    for (QWidget* w : std::initializer_list<QWidget*>{PageControl2, TV1, ScrollBox2}) {
        w->setContextMenuPolicy(Qt::CustomContextMenu);
        connect(w, &QWidget::customContextMenuRequested, this,
                [this, w](const QPoint& pos) { PopupMenu1->popup(w->mapToGlobal(pos)); });
    }

    setListWidget(PageControl2);
}

void TListScreen::pageChanging(int index)
{
    if (index == PageControl2->indexOf(TabSheet5))
        return diagramPageShown(TabSheet5);
    if (!QLIST.active() || QLIST.isEmpty()) {
        {
            const QSignalBlocker block(PageControl2);
            PageControl2->setCurrentWidget(TabSheet5);
        }
        showPlainMessage(this, kListeKayitYok);
        return;
    }
    diagramPageShown(PageControl2->widget(index));
}

void TListScreen::applyZoomValue()
{
    WaitCursor cursor;
    ApplyZoom(RxSpinEdit1->value());
}

void TListScreen::ZoomIn()
{
    RxSpinEdit1->setValue(RxSpinEdit1->value() + 10);
    applyZoomValue();
}

void TListScreen::ZoomOut()
{
    RxSpinEdit1->setValue(RxSpinEdit1->value() - 10);
    applyZoomValue();
}

void TListScreen::ApplyTypedZoom()
{
    RxSpinEdit1->interpretText();
    applyZoomValue();
    RxSpinEdit1->setFocus();
}

void TListScreen::SaveAsPicture()
{
    int chosen = m_pictureFilterIndex;
    FileRequest r;
    r.filter = kPictureFilter;
    r.filterIndex = m_pictureFilterIndex;
    r.chosenFilterIndex = &chosen;
    const QString name = DialogService::instance().saveFile(this, r);
    if (name.isEmpty())
        return;
    m_pictureFilterIndex = chosen;
    CanvasToBitmap(name + QStringLiteral(".Bmp"), chosen);
}

void TListScreen::setFullScreen(bool on)
{
    Panel4->setVisible(!on);
    if (m_options.fullScreenHidesToolbar)
        ToolBar1->setVisible(!on);
    else
        Panel2->setVisible(!on);
    TamEkranAction->setEnabled(!on);
    NormalEkranAction->setEnabled(on);
}

void TListScreen::FullScreen() { setFullScreen(true); }

void TListScreen::NormalScreen() { setFullScreen(false); }

bool TListScreen::diagramKey(QKeyEvent* event)
{
    if (!PageControl2 || PageControl2->currentWidget() != TabSheet7 || !(event->modifiers() & Qt::KeypadModifier))
        return false;
    if (event->key() == Qt::Key_Plus)
        ZoomIn();
    else if (event->key() == Qt::Key_Minus)
        ZoomOut();
    else
        return false;
    return true;
}

void TListScreen::keyPressEvent(QKeyEvent* event)
{
    if (diagramKey(event))
        return;
    QDialog::keyPressEvent(event);
}
