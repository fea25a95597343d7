#pragma once
// The start-up splash window and the start-up steps it accompanies.
#include <QWidget>

#include <functional>

class QLabel;
class QProgressBar;

class TSplashF : public QWidget {
    Q_OBJECT
public:
    explicit TSplashF(QWidget* parent = nullptr);

    QLabel* LabelPrg;     // product name
    QLabel* LabelSrm;     // display version
    QProgressBar* Gauge1; // 0..3, one step per created part

    // Adds 1 to the gauge and lets the window repaint.
    void step();

protected:
    void paintEvent(QPaintEvent* event) override;
};

// The splash while it is on screen (during RunWithSplash), otherwise nullptr.
extern TSplashF* SplashF;

// Shows the splash, creates the data module and then the main window with the gauge moving on
// after each, pauses pauseMs and frees the splash. Exceptions of the two steps propagate (the
// splash is freed first).
void RunWithSplash(const std::function<void()>& createDataModule, const std::function<void()>& createMainWindow,
                   int pauseMs = 1500);
