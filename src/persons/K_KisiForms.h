#pragma once
// Layout helpers the person card's pages share.
class QFormLayout;
class QWidget;

// A form with rows set close (the card is 640 pixels high); with a parent it is that
// widget's layout.
QFormLayout* KisiCompactForm(QWidget* parent = nullptr);
