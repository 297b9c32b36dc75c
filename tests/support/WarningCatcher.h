#pragma once

#include <QStringList>
#include <QtGlobal>

// Collects every warning Qt and the program emit while the object lives
// (Qt SQL's "removeDatabase ... still in use" among them), and passes each on
// to the handler that was there before.
class WarningCatcher {
public:
    WarningCatcher()
    {
        warnings().clear();
        previous() = qInstallMessageHandler(&collect);
    }
    ~WarningCatcher() { qInstallMessageHandler(previous()); }
    WarningCatcher(const WarningCatcher&) = delete;
    WarningCatcher& operator=(const WarningCatcher&) = delete;

    QStringList caught() const { return warnings(); }

private:
    static QStringList& warnings()
    {
        static QStringList list;
        return list;
    }
    static QtMessageHandler& previous()
    {
        static QtMessageHandler handler = nullptr;
        return handler;
    }
    static void collect(QtMsgType type, const QMessageLogContext& context, const QString& text)
    {
        if (type != QtDebugMsg && type != QtInfoMsg)
            warnings().append(text);
        if (previous())
            previous()(type, context, text);
    }
};
