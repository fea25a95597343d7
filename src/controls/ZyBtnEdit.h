#pragma once
// Single-line edits with a small push button inside their right edge: TZyBtnEdit and its
// data-aware twin TZyDBBtnEdit. Text never runs under the button, Enter never reaches the
// form's default button, and pasted text loses its line breaks.
#include "controls/ZyWinButton.h"

#include <QLineEdit>
#include <QPointer>

class Dataset;
class DataBinder;

// The button inside a button edit. gkDefault shows the folder picture "OPENDIR".
class TZyEditButton : public TZyWinButton {
    Q_OBJECT
    Q_PROPERTY(TGlyphKind GlyphKind READ GlyphKind WRITE setGlyphKind)
public:
    enum TGlyphKind { gkCustom, gkDefault };
    Q_ENUM(TGlyphKind)

    explicit TZyEditButton(QWidget* parent = nullptr);
    TGlyphKind GlyphKind() const { return m_kind; }
    void setGlyphKind(TGlyphKind kind);

    // The shared folder picture, drawn on first use.
    static QPixmap OpenDirBitmap();

private:
    TGlyphKind m_kind = gkCustom;
};

// What both button edits share.
class ZyButtonEditBase : public QLineEdit {
    Q_OBJECT
    Q_PROPERTY(bool AutoSelect READ AutoSelect WRITE setAutoSelect)
    Q_PROPERTY(QString About READ About WRITE setAbout)
public:
    explicit ZyButtonEditBase(QWidget* parent = nullptr);

    TZyEditButton* ZyWinButton() const { return m_button; }
    bool AutoSelect() const { return m_autoSelect; }
    void setAutoSelect(bool on) { m_autoSelect = on; }
    QString About() const { return QStringLiteral("s1.04"); }
    void setAbout(const QString&) {}

    // Replaces the selection with the clipboard text without its line breaks; a read-only edit
    // takes nothing.
    void paste();

signals:
    // The button was clicked; sender() is the edit.
    void OnBtnClick();

protected:
    int buttonWidth() const { return m_buttonWidth; }
    void applyButtonWidth(int width);
    virtual void beforePaste() {}

    void keyPressEvent(QKeyEvent* event) override;
    void focusInEvent(QFocusEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;
    void changeEvent(QEvent* event) override;

private:
    void placeButton();

    TZyEditButton* m_button;
    int m_buttonWidth = 21;
    bool m_autoSelect = true;
};

class TZyBtnEdit : public ZyButtonEditBase {
    Q_OBJECT
    Q_PROPERTY(int ButtonWidht READ ButtonWidht WRITE setButtonWidht)
public:
    explicit TZyBtnEdit(QWidget* parent = nullptr);
    int ButtonWidht() const { return buttonWidth(); }
    void setButtonWidht(int width) { applyButtonWidth(width); }
};

class TZyDBBtnEdit : public ZyButtonEditBase {
    Q_OBJECT
    Q_PROPERTY(int ButtonWidth READ ButtonWidth WRITE setButtonWidth)
    Q_PROPERTY(QString DataField READ DataField WRITE setDataField)
public:
    explicit TZyDBBtnEdit(QWidget* parent = nullptr);
    ~TZyDBBtnEdit() override;
    int ButtonWidth() const { return buttonWidth(); }
    void setButtonWidth(int width) { applyButtonWidth(width); }

    // Out of line, so that users of the edit need not know the Dataset class.
    Dataset* DataSource() const;
    void setDataSource(Dataset* dataset);
    QString DataField() const { return m_field; }
    void setDataField(const QString& field);

protected:
    void beforePaste() override;

private:
    void rebind();

    QPointer<Dataset> m_dataset;
    QString m_field;
    DataBinder* m_binder = nullptr;
};
