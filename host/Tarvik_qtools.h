#pragma once

// The host's Qt tools: actions bound to a widget's signal, and the host's
// own pictures.

#include <QObject>
#include <QPixmap>

#include "Tarvik_utils.h"
#include "tarvik_qtools_export.h"

// Receives one signal of `sender` and, at every emission, calls the execute()
// overload of the signal's (first) argument type. The sender is the action's
// Qt parent, so the action goes with it.
class TARVIK_QTOOLS_EXPORT VQAction : public QObject {
    Q_OBJECT
public:
    // `signal` in Qt's string notation, as SIGNAL() gives it: "2activated(int)".
    VQAction(QObject* sender, const char* signal);
    ~VQAction() override;

    // False when the sender has no such signal, or its argument type has no
    // execute() overload.
    bool is_connected() const { return connected_; }

public slots:
    virtual void execute(const void* data);
    virtual void execute(const QString& text);
    virtual void execute(const char* text);
    virtual void execute(qint64 number);
    virtual void execute(int number);
    virtual void execute(short number);
    virtual void execute(bool flag);
    virtual void execute();

private:
    bool connect_to(QObject* sender, const char* signal);

    bool connected_ = false;
};

// An action calling one member function of one object with the signal's
// argument. For Arg = int it runs at each emission of an int signal.
template <class T, class Arg>
class VQTypedCallback : public VQAction {
public:
    using Callback = void (T::*)(Arg);

    VQTypedCallback(QObject* sender, const char* signal, T* object, Callback callback)
        : VQAction(sender, signal)
        , object_(object)
        , callback_(callback) {}
    using VQAction::execute;
    void execute(Arg argument) override { (object_->*callback_)(argument); }

private:
    T* object_;
    Callback callback_;
};

class TARVIK_QTOOLS_EXPORT VQPixmapLib {
public:
    // The host picture of that name; a null pixmap for an unknown name.
    static QPixmap load(const CString& name);
};

TARVIK_DECLARE_LIBRARY_INIT(TARVIK_QTOOLS_EXPORT, Tarvikqtools_init);
