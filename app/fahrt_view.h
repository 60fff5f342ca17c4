#pragma once

// "Fahrt zeigen": the speed a train may run along the line, drawn over the band of the track plan
// at the columns' x, with the train's length and the stop at the platform set beside it and a
// train that runs the line. A widget of its own over the canvas widget: the canvas, its trace and
// its picture never see it. What it draws is the core's speed line; it decides nothing.

#include "learn/fahrt.h"

#include <QTimer>
#include <QWidget>

class QCheckBox;
class QLabel;
class QPushButton;
class QSpinBox;

namespace lumaro {

struct FormState;

class FahrtView : public QWidget {
    Q_OBJECT
public:
    FahrtView(const FormState& form, QWidget* canvas);

    // Computes the line again from the panels the core shows, with the options set here.
    void refresh();
    const learn::SpeedLine& line() const { return *m_line; }

    QSpinBox* trainLength() const { return m_length; }       // metres, 10 m a pixel
    QCheckBox* platformStop() const { return m_platform; }
    QPushButton* runButton() const { return m_run; }
    // The train's head, or a negative value while no train runs.
    double trainHead() const { return m_running ? m_train.head : -1; }
    bool trainRunning() const { return m_running; }
    // One step of the running train, `ms` milliseconds of time.
    void advanceTrain(int ms);

    // The canvas y of a speed on the axis.
    static int SpeedY(double kmh);

signals:
    // The reason of the piece under the mouse; empty when the mouse leaves the line.
    void pieceHovered(const QString& why);

protected:
    void paintEvent(QPaintEvent* event) override;
    void mouseMoveEvent(QMouseEvent* event) override;
    void leaveEvent(QEvent* event) override;
    void hideEvent(QHideEvent* event) override;

private:
    void createWidgets();
    void connectWidgets();
    learn::FahrtOptions options() const;
    void startTrain();
    void stopTrain();
    void updateAccessibleText();

    const FormState& m_form;
    learn::SpeedLineCache m_cache;
    const learn::SpeedLine* m_line = nullptr;
    QSpinBox* m_length = nullptr;
    QCheckBox* m_platform = nullptr;
    QPushButton* m_run = nullptr;
    QLabel* m_note = nullptr;
    QTimer m_trainTimer;
    bool m_running = false;
    learn::TrainRun m_train;
    int m_hoverX = -1;
};

} // namespace lumaro
