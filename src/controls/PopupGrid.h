#pragma once
// The grid context menu of the list screens (owned by the main window, shared by every list
// grid): layouts, exports, customising and the full-screen view of the grid it was opened on.
// Its left margin carries a blue gradient with the product name and version written upwards.
#include <QMenu>
#include <QPointer>

class TZYRXDBGrid;

class TPopupGrid : public QMenu {
    Q_OBJECT
public:
    explicit TPopupGrid(QWidget* parent = nullptr);

    static constexpr int kMarginWidth = 30;
    static constexpr int kItemHeight = 34; // a 32-pixel picture and its frame

    // Opens the menu for a control; the items act on it only when it is a data grid.
    void popupFor(QWidget* control, const QPoint& globalPos);
    void setPopupComponent(QWidget* control) { m_component = control; }
    QWidget* popupComponent() const { return m_component; }

    // The margin's text: product name, a blank and the version.
    static QString marginText();

    QAction* YerlesimKaydet1;   // "Tablo Yerleşimini Kaydet"
    QAction* YerlesimYukle1;    // "Kayıtlı Tablo Yerleşimini Yükle"
    QAction* OrjinalYukle1;     // "Orjinal Tablo Yerleşimini Yükle"
    QAction* ExcelAktar1;       // "Excel' e Aktar"
    QAction* HtmlAktar1;        // "HTML' ye Aktar"
    QAction* Ozellestir1;       // "Özelleştir"
    QAction* TamEkran1;         // "Tam Ekram"

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    TZYRXDBGrid* grid() const;
    QPointer<QWidget> m_component;
};

// The name layout files of a grid's screen are named after: the form the grid sits on.
QString GridFormName(const TZYRXDBGrid* grid);

// Called by every list screen when it is shown: keeps the screen's design layout in
// IniDir + form + "_o.ini" (as ".agr"), then applies the user's IniDir + form + ".ini".
void RaporGridSakla(TZYRXDBGrid* grid);
