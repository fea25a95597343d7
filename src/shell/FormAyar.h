#pragma once
class QWidget;
class QImage;

// Every screen calls it when shown: copies the main window's caption and header pictures,
// and puts the program icon (index -1) or an icon of the 32-pixel list into "ImageTOP".
void FormAyar(QWidget* form, int index = -1);
