#pragma once
// Loading a photograph from a file and showing a picture at its own size.
#include <QImage>
#include <QString>

#include <stdexcept>

class QDialog;
class QWidget;

// A picture file whose content its decoder cannot read.
class PictureError : public std::runtime_error {
public:
    explicit PictureError(const QString& text) : std::runtime_error(text.toStdString()), m_text(text) {}
    const QString& text() const { return m_text; }

private:
    QString m_text;
};

// Reads a ".jpg"/".jpeg", ".gif" or ".bmp" file (extension in any case; it alone picks the
// decoder). A missing file or another extension shows its message and gives a null image.
// Content that the decoder cannot read throws PictureError.
QImage LoadPictureFile(const QString& file);

// The window that shows image at its own size: centred on the screen, close box only, fixed
// size, Escape closes it; the caption is the main window's caption. The caller owns it.
QDialog* BuildPictureFullSizeDialog(const QImage& image, QWidget* parent = nullptr);
// Builds that window, runs it modally and frees it.
void ShowPictureFullSize(const QImage& image, QWidget* parent = nullptr);
