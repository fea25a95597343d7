#pragma once
// A numbered list of same-sized pictures that buttons, headers and speed buttons draw from.
// Controls keep a QPointer to it, so a destroyed list is simply dropped.
#include <QList>
#include <QObject>
#include <QPixmap>

class ImageList : public QObject {
    Q_OBJECT
public:
    explicit ImageList(QObject* parent = nullptr) : QObject(parent) {}

    int count() const { return int(m_images.size()); }
    bool has(int index) const { return index >= 0 && index < count() && !m_images[index].isNull(); }
    // An empty pixmap for a number the list does not hold.
    QPixmap image(int index) const { return has(index) ? m_images[index] : QPixmap(); }

    int add(const QPixmap& image);
    void replace(int index, const QPixmap& image);
    void setImages(const QList<QPixmap>& images);
    void clear();

signals:
    void changed();

private:
    QList<QPixmap> m_images;
};
