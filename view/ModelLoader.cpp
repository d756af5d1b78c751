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
    , reader_([this](ModelReading& reading) { finish(reading); }) {
    box_ = new QWidget(&view);
    box_->setObjectName(QStringLiteral("model_view_progress"));
    box_->setAutoFillBackground(true);
    // A window of its own, so that it shows over an OpenGL canvas's window.
    box_->setAttribute(Qt::WA_NativeWindow);
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

void ModelLoader::open(const QString& path) {
    loading_ = true;
    stop_requested_ = false;
    path_ = path;
    reader_.start(path);
    if (!loading_) {
        return; // no reader could start: that is the outcome
    }
    show_progress();
    box_->show();
    box_->raise();
    place_progress();
    timer_.start();
}

void ModelLoader::cancel() {
    if (loading_) {
        reader_.cancel();
        stop_requested_ = true;
        show_progress();
    }
}

void ModelLoader::finish(ModelReading& reading) {
    loading_ = false;
    timer_.stop();
    box_->hide();
    handover_(path_, reading);
}

void ModelLoader::show_progress() {
    const QString name = QFileInfo(path_).fileName();
    bar_->setValue(int(std::lround(reader_.done() * 1000)));
    label_->setText(stop_requested_ ? tr("Stopping the reading of %1\u2026").arg(name)
                                    : tr("Reading %1\u2026 (Esc stops)").arg(name));
}

void ModelLoader::place_progress() {
    const QSize size = box_->sizeHint().expandedTo(QSize(std::min(view_.width() - 40, 360), 0));
    box_->setGeometry(QRect(
        QPoint((view_.width() - size.width()) / 2, view_.height() - size.height() - 40), size));
}
