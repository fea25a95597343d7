#pragma once
// A flat speed button whose glyph comes from an image list.
#include "controls/ImageList.h"

#include <QPointer>
#include <QToolButton>

class TZySpeedButton : public QToolButton {
    Q_OBJECT
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
public:
    explicit TZySpeedButton(QWidget* parent = nullptr);

    ImageList* imageList() const { return m_list; }
    // Setting the list or the number (or a change of the list's images) replaces the glyph with
    // that list image, or clears it when there is none.
    void setImageList(ImageList* list);
    int ImageIndex() const { return m_index; }
    void setImageIndex(int index);
    QPixmap Glyph() const { return m_glyph; }

private:
    void takeGlyph();

    QPointer<ImageList> m_list;
    int m_index = -1;
    QPixmap m_glyph;
};
