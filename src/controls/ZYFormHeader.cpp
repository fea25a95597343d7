#include "controls/ZYFormHeader.h"

#include "controls/ZyPaint.h"

#include <QLabel>
#include <QPainter>

TZYFormHeader::TZYFormHeader(QWidget* parent) : QFrame(parent), m_label(new QLabel(this))
{
    // A lowered 2-pixel bevel around the band.
    setFrameStyle(QFrame::Panel | QFrame::Sunken);
    setLineWidth(2);
    setSizePolicy(QSizePolicy::Expanding, QSizePolicy::Fixed);
    resize(width(), 30);
    m_titleFont.setFamilies({QStringLiteral("MS Sans Serif"), QStringLiteral("Liberation Sans")});
    m_titleFont.setPointSize(14);
    m_titleFont.setBold(true);
    m_label->setObjectName(QStringLiteral("TitleLabel"));
    m_label->setAttribute(Qt::WA_TranslucentBackground);
    m_label->setFont(m_titleFont);
    m_label->hide();
}

QSize TZYFormHeader::sizeHint() const { return QSize(QFrame::sizeHint().width(), 30); }

void TZYFormHeader::setTitle(const QString& title)
{
    m_title = title;
    m_label->setText(title);
    placeLabel();
    update();
}

void TZYFormHeader::setTitleFont(const QFont& font)
{
    m_titleFont = font;
    m_label->setFont(font);
    placeLabel();
    update();
}

void TZYFormHeader::setImageList(ImageList* list)
{
    if (m_images)
        disconnect(m_images, nullptr, this, nullptr);
    m_images = list;
    if (list)
        connect(list, &ImageList::changed, this, qOverload<>(&QWidget::update));
    update();
}

void TZYFormHeader::setMenuItem(QAction* item)
{
    m_menuItem = item;
    if (!item)
        return;
    const QVariant index = item->property("ImageIndex");
    m_imageIndex = index.isValid() ? index.toInt() : -1;
    m_menuIcon = item->icon();
    setTitle(QString(item->text()).remove(QLatin1Char('&')));
}

void TZYFormHeader::placeLabel()
{
    m_label->adjustSize();
    m_label->move(40, (height() - m_label->height()) / 2);
}

void TZYFormHeader::resizeEvent(QResizeEvent* event)
{
    QFrame::resizeEvent(event);
    placeLabel();
}

// The list image when there is one, else the icon taken from the menu item.
QPixmap TZYFormHeader::picture() const
{
    if (m_images && m_imageIndex >= 0 && m_images->has(m_imageIndex))
        return m_images->image(m_imageIndex);
    if (!m_menuIcon.isNull()) {
        const QSize size = m_menuIcon.actualSize(QSize(24, 24));
        return m_menuIcon.pixmap(size);
    }
    return QPixmap();
}

void TZYFormHeader::paintEvent(QPaintEvent* event)
{
    QFrame::paintEvent(event);
    QPainter p(this);
    const QRect client = rect();
    zypaint::fillGradient(p, client.adjusted(1, 1, 2, -2), m_start, m_end, GradientDirection::LeftToRight);

    p.setFont(m_titleFont);
    p.setPen(m_titleColor);
    const QFontMetrics fm(m_titleFont);
    const int y = (height() - fm.height()) / 2;
    p.drawText(QPoint(40, y + fm.ascent()), m_title);

    const QPixmap pic = picture();
    if (!pic.isNull()) {
        const int h = pic.deviceIndependentSize().toSize().height();
        p.drawPixmap(5, height() / 2 - h / 2, pic);
    } else {
        const int top = (height() - 20) / 2;
        p.setPen(Qt::black);
        p.setBrush(m_end);
        p.drawEllipse(QRect(15, top, 19, 19));
    }
}
