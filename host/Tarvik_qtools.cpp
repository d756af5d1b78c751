#include "Tarvik_qtools.h"

#include <QHash>
#include <QMetaMethod>
#include <QPainter>
#include <QPixmapCache>
#include <QtDebug>

// ---------------------------------------------------------------- actions

namespace {
// The execute() overload that takes a signal's first argument, by Qt type id.
const char* slot_for_argument(int type) {
    switch (type) {
    case QMetaType::UnknownType:
        return "execute()";
    case QMetaType::VoidStar:
        return "execute(const void*)";
    case QMetaType::QString:
        return "execute(QString)";
    case QMetaType::LongLong:
    case QMetaType::ULongLong:
        return "execute(qint64)";
    case QMetaType::Int:
    case QMetaType::UInt:
        return "execute(int)";
    case QMetaType::Short:
    case QMetaType::UShort:
        return "execute(short)";
    case QMetaType::Bool:
        return "execute(bool)";
    default:
        return nullptr;
    }
}

const char* slot_for_signal(const QMetaMethod& signal) {
    if (signal.parameterCount() == 0) {
        return slot_for_argument(QMetaType::UnknownType);
    }
    if (signal.parameterTypeName(0) == "const char*") {
        return "execute(const char*)";
    }
    return slot_for_argument(signal.parameterType(0));
}
} // namespace

VQAction::VQAction(QObject* sender, const char* signal)
    : QObject(sender) {
    connected_ = connect_to(sender, signal);
    if (!connected_) {
        qWarning("VQAction: cannot execute signal %s of %s", signal ? signal : "(null)",
                 sender ? sender->metaObject()->className() : "(null)");
    }
}

VQAction::~VQAction() = default;

bool VQAction::connect_to(QObject* sender, const char* signal) {
    // Qt's string notation puts a code before the signature ('2' for signals).
    if (!sender || !signal || signal[0] != '0' + QSIGNAL_CODE) {
        return false;
    }
    const QMetaObject* meta = sender->metaObject();
    const int signal_index = meta->indexOfSignal(QMetaObject::normalizedSignature(signal + 1));
    if (signal_index < 0) {
        return false;
    }
    const QMetaMethod signal_method = meta->method(signal_index);
    const char* slot = slot_for_signal(signal_method);
    if (!slot) {
        return false;
    }
    const int slot_index = metaObject()->indexOfSlot(slot);
    return connect(sender, signal_method, this, metaObject()->method(slot_index));
}

void VQAction::execute(const void*) {}
void VQAction::execute(const QString&) {}
void VQAction::execute(const char*) {}
void VQAction::execute(qint64) {}
void VQAction::execute(int) {}
void VQAction::execute(short) {}
void VQAction::execute(bool) {}
void VQAction::execute() {}

// ---------------------------------------------------------------- pictures

namespace {
// A window whose left pane lifts off it, for "detach this pane" entries.
QPixmap draw_workflow_left_pane() {
    QPixmap pixmap(16, 16);
    pixmap.fill(Qt::transparent);
    QPainter painter(&pixmap);
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setPen(QPen(QColor(60, 60, 60), 1));
    painter.setBrush(QColor(235, 235, 235));
    painter.drawRect(QRectF(4.5, 4.5, 11, 11));
    painter.setBrush(QColor(70, 130, 200));
    painter.drawRect(QRectF(0.5, 0.5, 7, 11));
    painter.setPen(QPen(Qt::white, 1));
    painter.drawLine(QPointF(2, 3), QPointF(6, 3));
    return pixmap;
}

using Painter = QPixmap (*)();

const QHash<QByteArray, Painter>& painters() {
    static const QHash<QByteArray, Painter> known{
        {"workflow_left_pane", draw_workflow_left_pane},
    };
    return known;
}
} // namespace

QPixmap VQPixmapLib::load(const CString& name) {
    const QByteArray key(name.c_str());
    const auto painter = painters().constFind(key);
    if (painter == painters().constEnd()) {
        return QPixmap();
    }
    // The cache, unlike a static, is emptied with the application.
    const QString cache_key = QStringLiteral("VQPixmapLib/") + QString::fromLatin1(key);
    QPixmap pixmap;
    if (!QPixmapCache::find(cache_key, &pixmap)) {
        pixmap = (*painter)();
        QPixmapCache::insert(cache_key, pixmap);
    }
    return pixmap;
}

TARVIK_DEFINE_LIBRARY_INIT(Tarvikqtools_init, nullptr)
