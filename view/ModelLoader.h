#pragma once

// Reads model files in the background, one at a time, each by a reader
// process of its own, with a progress bar over the view that Esc stops.
// When a reading ends, however it ends, its outcome is handed over; a
// newer open() or dropping the loader kills the reader under way.

#include <QObject>
#include <QTimer>
#include <functional>

#include "ModelFile.h"
#include "ReaderProcess.h"

#include "tarvik_view_export.h"

class QLabel;
class QProgressBar;
class QWidget;

class TARVIK_VIEW_EXPORT ModelLoader : public QObject {
    Q_OBJECT
public:
    using Handover = std::function<void(const QString& path, ModelReading& reading)>;

    // The progress shows over `view`, near its foot.
    ModelLoader(QWidget& view, Handover handover);

    void open(const QString& path);
    bool is_loading() const { return loading_; }
    // Asks the reading to stop; its outcome, cancelled, is handed over.
    void cancel();
    // Keeps the progress in its place when the view changes size.
    void place_progress();

private:
    void finish(ModelReading& reading);
    void show_progress();

    QWidget& view_;
    Handover handover_;
    ReaderProcess reader_;
    bool loading_ = false;
    bool stop_requested_ = false;
    QString path_;
    QWidget* box_ = nullptr;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QTimer timer_;
};
