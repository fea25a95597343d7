#pragma once
// The maker's owner-drawn push button: a flat face with a 2-pixel highlight at the top and left,
// an optional picture beside the caption, an optional banded gradient, and a modal result that
// closes its dialog.
#include "controls/ImageList.h"

#include <QColor>
#include <QFont>
#include <QPixmap>
#include <QPointer>
#include <QWidget>

#include <QMenu>

class TZyWinButton : public QWidget {
    Q_OBJECT
    Q_PROPERTY(QString Caption READ Caption WRITE setCaption)
    Q_PROPERTY(QColor FontColor READ FontColor WRITE setFontColor)
    Q_PROPERTY(QColor Color READ Color WRITE setColor)
    Q_PROPERTY(QColor RaiseCol READ RaiseCol WRITE setRaiseCol)
    Q_PROPERTY(QColor OverCol READ OverCol WRITE setOverCol)
    Q_PROPERTY(QPixmap Glpyh READ Glpyh WRITE setGlpyh)
    Q_PROPERTY(TPicPos GlphyAlign READ GlphyAlign WRITE setGlphyAlign)
    Q_PROPERTY(int ImageIndex READ ImageIndex WRITE setImageIndex)
    Q_PROPERTY(int ModalResult READ ModalResult WRITE setModalResult)
    Q_PROPERTY(QFont GrayedFont READ GrayedFont WRITE setGrayedFont)
    Q_PROPERTY(QColor GrayedFontColor READ GrayedFontColor WRITE setGrayedFontColor)
    Q_PROPERTY(bool ShowCaption READ ShowCaption WRITE setShowCaption)
    Q_PROPERTY(TZyGradient Gradient READ Gradient WRITE setGradient)
    Q_PROPERTY(QColor GradStartCl READ GradStartCl WRITE setGradStartCl)
    Q_PROPERTY(QColor GradEndCl READ GradEndCl WRITE setGradEndCl)
    Q_PROPERTY(QString About READ About WRITE setAbout)
public:
    enum TPicPos { poLeft, poRight, poTop, poBottom };
    Q_ENUM(TPicPos)
    enum TZyGradient { grNone, grTopToBottom, grBottomToTop, grLeftToRight, grRightToLeft };
    Q_ENUM(TZyGradient)

    explicit TZyWinButton(QWidget* parent = nullptr);
    ~TZyWinButton() override;

    QString Caption() const { return m_caption; }
    void setCaption(const QString& caption);
    // The colour of Font (black by default).
    QColor FontColor() const { return m_fontColor; }
    void setFontColor(const QColor& c);
    // The face colour; taken from the parent until set.
    QColor Color() const;
    void setColor(const QColor& c);
    QColor RaiseCol() const { return m_raiseCol; }
    void setRaiseCol(const QColor& c);
    QColor OverCol() const { return m_overCol; }
    void setOverCol(const QColor& c);
    QPixmap Glpyh() const { return m_glyph; }
    void setGlpyh(const QPixmap& glyph);
    TPicPos GlphyAlign() const { return m_align; }
    void setGlphyAlign(TPicPos align);
    ImageList* Images() const { return m_images; }
    void setImages(ImageList* images);
    int ImageIndex() const { return m_imageIndex; }
    void setImageIndex(int index);
    QMenu* DropDownMenu() const { return m_dropDown; }
    void setDropDownMenu(QMenu* menu) { m_dropDown = menu; }
    // Opened at the mouse on a right-button press.
    QMenu* PopupMenu() const { return m_popup; }
    void setPopupMenu(QMenu* menu) { m_popup = menu; }
    int ModalResult() const { return m_modalResult; }
    void setModalResult(int result) { m_modalResult = result; }
    QFont GrayedFont() const { return m_grayedFont; }
    void setGrayedFont(const QFont& font) { m_grayedFont = font; update(); }
    // The colour of GrayedFont: the caption colour while disabled.
    QColor GrayedFontColor() const { return m_grayedColor; }
    void setGrayedFontColor(const QColor& c);
    bool ShowCaption() const { return m_showCaption; }
    void setShowCaption(bool on);
    TZyGradient Gradient() const { return m_gradient; }
    void setGradient(TZyGradient g);
    QColor GradStartCl() const { return m_gradStart; }
    void setGradStartCl(const QColor& c);
    QColor GradEndCl() const { return m_gradEnd; }
    void setGradEndCl(const QColor& c);
    virtual QString About() const { return QStringLiteral("s1.06"); }
    void setAbout(const QString&) {}

    bool isPressed() const { return m_pressed; }
    bool isHeld() const { return m_held; }

    // Ends both states, repaints, copies ModalResult to the dialog and fires OnClick.
    void click();

    QSize sizeHint() const override { return QSize(100, 30); }

    // Where picture and caption stand on a button of `size`; d is the pressed offset (0 or 2).
    // An empty picture size means no picture, an empty caption size no caption.
    struct ContentLayout {
        QRect picture;
        QRect caption;
    };
    static ContentLayout layoutContent(QSize size, QSize picture, QSize caption, TPicPos align, int d);

signals:
    void OnClick();
    void OnMouseDown(Qt::MouseButton button, Qt::KeyboardModifiers modifiers, QPoint pos);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void mouseReleaseEvent(QMouseEvent* event) override;
    void keyPressEvent(QKeyEvent* event) override;
    void keyReleaseEvent(QKeyEvent* event) override;
    void enterEvent(QEnterEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void changeEvent(QEvent* event) override;
    bool event(QEvent* event) override;

private:
    void resetStates();
    void openDropDown();
    void finishPress();
    QPixmap picture(bool& fromImages) const;
    void paintContent(QPainter& p, int d, const QColor& color, bool captionOnly);

    QString m_caption;
    QColor m_fontColor = Qt::black;
    QColor m_raiseCol = Qt::white;
    QColor m_overCol = Qt::blue;
    QPixmap m_glyph;
    TPicPos m_align = poLeft;
    QPointer<ImageList> m_images;
    int m_imageIndex = -1;
    QPointer<QMenu> m_dropDown;
    QPointer<QMenu> m_popup;
    int m_modalResult = 0;
    QFont m_grayedFont;
    QColor m_grayedColor = QColor(128, 128, 128);
    bool m_showCaption = true;
    TZyGradient m_gradient = grNone;
    QColor m_gradStart = Qt::black;
    QColor m_gradEnd = Qt::black;
    bool m_pressed = false;
    bool m_held = false;
    bool m_hover = false;
    int m_shortcutId = 0;
};
