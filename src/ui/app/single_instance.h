#pragma once

#include <QObject>
#include <QString>

class QLocalServer;

namespace kelcc::ui {

// One running workbench per user (and per settings file). The first start
// listens on a local socket; a later start hands its request (the project
// path of its command line, possibly empty) to the first and ends.
class SingleInstance final : public QObject {
    Q_OBJECT

public:
    explicit SingleInstance(QString name, QObject* parent = nullptr);
    ~SingleInstance() override;

    // The user, and a hash of KELCC_SETTINGS when that is set, so that test
    // runs never reach a real instance.
    static QString defaultName();

    // True: this is the first instance and now listens. False: another
    // instance runs and has been given `request`.
    bool start(const QString& request);

signals:
    void requestReceived(const QString& request);

private:
    bool sendToRunning(const QString& request) const;
    void acceptConnections();

    QString m_name;
    QLocalServer* m_server = nullptr;
};

}  // namespace kelcc::ui
