#pragma once
// The header band at the top of the dialogs: a left-to-right gradient, the title at x 40 and
// a picture (or a circle) at the left.
#include "controls/ImageList.h"

#include <QAction>
#include <QFrame>
#include <QPointer>

class QLabel;

class TZYFormHeader : public QFrame {
    Q_OBJECT
    Q_PROPERTY(QColor StartColor READ StartColor WRITE setStartColor)
    Q_PROPERTY(QColor EndColor READ EndColor WRITE setEndColor)
    Q_PROPERTY(QString Title READ Title WRITE setTitle)
    Q_PROPERTY(QFont TitleFont READ TitleFont WRITE setTitleFont)
    Q_PROPERTY(QColor TitleFontColor READ TitleFontColor WRITE setTitleFontColor)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
    Q_PROPERTY(QString About READ About WRITE setAbout)
public:
    explicit TZYFormHeader(QWidget* parent = nullptr);

    QColor StartColor() const { return m_start; }
    void setStartColor(const QColor& c) { m_start = c; update(); }
    QColor EndColor() const { return m_end; }
    void setEndColor(const QColor& c) { m_end = c; update(); }
    QString Title() const { return m_title; }
    void setTitle(const QString& title);
    QFont TitleFont() const { return m_titleFont; }
    void setTitleFont(const QFont& font);
    QColor TitleFontColor() const { return m_titleColor; }
    void setTitleFontColor(const QColor& c) { m_titleColor = c; update(); }
    ImageList* imageList() const { return m_images; }
    void setImageList(ImageList* list);
    int ImageIndex() const { return m_imageIndex; }
    void setImageIndex(int index) { m_imageIndex = index; update(); }
    // Takes the item's icon (and its "ImageIndex" property, -1 when it has none) and its caption
    // without "&" as the title.
    QAction* MenuItem() const { return m_menuItem; }
    void setMenuItem(QAction* item);
    QString About() const { return QStringLiteral("s1.02"); }
    void setAbout(const QString&) {}

    // The label that carries the title while a skin is active (never in this program).
    QLabel* titleLabel() const { return m_label; }

    QSize sizeHint() const override;

protected:
    void paintEvent(QPaintEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

private:
    void placeLabel();
    QPixmap picture() const;

    QColor m_start = QColor(99, 147, 206);
    QColor m_end = QColor(229, 239, 255);
    QString m_title;
    QFont m_titleFont;
    QColor m_titleColor = Qt::white;
    QPointer<ImageList> m_images;
    int m_imageIndex = -1;
    QPointer<QAction> m_menuItem;
    QIcon m_menuIcon;
    QLabel* m_label;
};
