#include "controls/ImageList.h"

int ImageList::add(const QPixmap& image)
{
    m_images.append(image);
    emit changed();
    return count() - 1;
}

void ImageList::replace(int index, const QPixmap& image)
{
    if (index < 0 || index >= count())
        return;
    m_images[index] = image;
    emit changed();
}

void ImageList::setImages(const QList<QPixmap>& images)
{
    m_images = images;
    emit changed();
}

void ImageList::clear()
{
    m_images.clear();
    emit changed();
}
