#include "ModelLoader.h"

#include <QFileInfo>
#include <QLabel>
#include <QProgressBar>
#include <QVBoxLayout>
#include <cmath>

ModelLoader::ModelLoader(QWidget& view, Handover handover)
    : QObject(&view)
    , view_(view)
    , handover_(std::move(handover))
    , share_(std::make_shared<std::atomic<double>>(0)) {
    box_ = new QWidget(&view);
    box_->setObjectName(QStringLiteral("model_view_progress"));
    box_->setAutoFillBackground(true);
    auto* layout = new QVBoxLayout(box_);
    label_ = new QLabel(box_);
    label_->setTextFormat(Qt::PlainText);
    bar_ = new QProgressBar(box_);
    bar_->setRange(0, 1000);
    bar_->setTextVisible(false);
    layout->addWidget(label_);
    layout->addWidget(bar_);
    box_->hide();
    timer_.setInterval(50);
    connect(&timer_, &QTimer::timeout, this, &ModelLoader::show_progress);
}

// The reading ends before anything it reaches goes.
ModelLoader::~ModelLoader() {
    job_.stop();
}

void ModelLoader::open(const QString& path) {
    job_.stop();
    loading_ = true;
    stop_requested_ = false;
    name_ = QFileInfo(path).fileName();
    share_->store(0);
    show_progress();
    box_->show();
    box_->raise();
    place_progress();
    timer_.start();
    const quint64 number = ++readings_;
    job_.run([this, path, number, share = share_](const std::atomic<bool>& stopping) {
        auto reading = std::make_shared<ModelReading>(read_model(path, [&](double done) {
            share->store(done);
            return !stopping;
        }));
        QMetaObject::invokeMethod(
            this,
            [this, path, number, reading] {
                // A reading that a newer one replaced has nothing to hand over.
                if (number == readings_) {
                    finish(path, *reading);
                }
            },
            Qt::QueuedConnection);
    });
}

void ModelLoader::cancel() {
    if (loading_) {
        job_.request_stop();
        stop_requested_ = true;
        show_progress();
    }
}

void ModelLoader::finish(const QString& path, ModelReading& reading) {
    job_.stop();
    loading_ = false;
    timer_.stop();
    box_->hide();
    handover_(path, reading);
}

void ModelLoader::show_progress() {
    bar_->setValue(int(std::lround(share_->load() * 1000)));
    label_->setText(stop_requested_ ? tr("Stopping the reading of %1\u2026").arg(name_)
                                    : tr("Reading %1\u2026 (Esc stops)").arg(name_));
}

void ModelLoader::place_progress() {
    const QSize size = box_->sizeHint().expandedTo(QSize(std::min(view_.width() - 40, 360), 0));
    box_->setGeometry(QRect(
        QPoint((view_.width() - size.width()) / 2, view_.height() - size.height() - 40), size));
}
