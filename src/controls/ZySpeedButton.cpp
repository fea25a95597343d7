#include "controls/ZySpeedButton.h"

TZySpeedButton::TZySpeedButton(QWidget* parent) : QToolButton(parent)
{
    setAutoRaise(true);
    setToolButtonStyle(Qt::ToolButtonTextBesideIcon);
}

void TZySpeedButton::setImageList(ImageList* list)
{
    if (m_list)
        disconnect(m_list, nullptr, this, nullptr);
    m_list = list;
    if (list) {
        connect(list, &ImageList::changed, this, &TZySpeedButton::takeGlyph);
        // The glyph stays as it was when the list goes away.
        connect(list, &QObject::destroyed, this, [this] { m_list = nullptr; });
    }
    takeGlyph();
}

void TZySpeedButton::setImageIndex(int index)
{
    m_index = index;
    takeGlyph();
}

void TZySpeedButton::takeGlyph()
{
    m_glyph = QPixmap();
    if (m_list && m_index >= 0)
        m_glyph = m_list->image(m_index);
    setIcon(m_glyph.isNull() ? QIcon() : QIcon(m_glyph));
    if (!m_glyph.isNull())
        setIconSize(m_glyph.deviceIndependentSize().toSize());
}
