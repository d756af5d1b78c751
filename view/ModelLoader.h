#pragma once

// Reads model files in the background, one at a time, with a progress bar
// over the view that Esc stops. When a reading ends, however it ends, its
// outcome is handed over on the view's thread; a newer open() or stopping
// the loader drops the one under way.

#include <QObject>
#include <QTimer>
#include <atomic>
#include <functional>
#include <memory>

#include "BackgroundJob.h"
#include "ModelFile.h"

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
    ~ModelLoader() override;

    void open(const QString& path);
    bool is_loading() const { return loading_; }
    // Asks the reading to stop; its outcome, cancelled, is handed over.
    void cancel();
    // Keeps the progress in its place when the view changes size.
    void place_progress();

private:
    void finish(const QString& path, ModelReading& reading);
    void show_progress();

    QWidget& view_;
    Handover handover_;
    BackgroundJob job_;
    bool loading_ = false;
    // Counts the readings begun: the newest is the one shown.
    quint64 readings_ = 0;
    bool stop_requested_ = false;
    std::shared_ptr<std::atomic<double>> share_;
    QString name_;
    QWidget* box_ = nullptr;
    QLabel* label_ = nullptr;
    QProgressBar* bar_ = nullptr;
    QTimer timer_;
};
