#include "transfer_test_support.h"

#include <QCoreApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QTest>

namespace kelcc::ui::test {

SimProcess::SimProcess(const QString& folder) : m_folder(folder) {
    QDir().mkpath(storage());
}

SimProcess::~SimProcess() {
    kill();
}

bool SimProcess::start(const QStringList& options) {
    kill();
    QFile::remove(linkPath());
    m_process.setProgram(QStringLiteral(KELCC_SIM_PATH));
    m_process.setArguments(
        QStringList{QStringLiteral("--storage"), storage(), QStringLiteral("--link"), linkPath()} +
        options);
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    m_process.start();
    if (!m_process.waitForStarted(5000)) return false;
    // It prints the line's path once the link is made.
    return m_process.waitForReadyRead(5000) && QFileInfo(linkPath()).isSymLink();
}

void SimProcess::kill() {
    if (m_process.state() == QProcess::NotRunning) return;
    m_process.kill();
    m_process.waitForFinished(5000);
}

void SimProcess::put(int area, const QString& name, const QByteArray& bytes) const {
    const QString folder = storage() + QStringLiteral("/%1").arg(area);
    QDir().mkpath(folder);
    QFile file(folder + QLatin1Char('/') + name);
    if (file.open(QIODevice::WriteOnly)) file.write(bytes);
}

QByteArray SimProcess::stored(int area, const QString& name) const {
    QFile file(storage() + QStringLiteral("/%1/").arg(area) + name);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

TransferFixture::TransferFixture() : m_sim(m_dir.filePath(QStringLiteral("sim"))) {
    transfer().setDialogs(&m_transferDialogs);
}

TransferFixture::~TransferFixture() {
    transfer().setDialogs(nullptr);
}

void TransferFixture::usePort(const QString& device, const QString& baud) {
    CommSettingsDialog::Values values;
    values.port = QStringLiteral("1");
    values.baud = baud;
    values.paths[0] = device;
    m_transferDialogs.settingsAnswer = values;
    transfer().editCommSettings();
}

bool TransferFixture::waitFor(const std::function<bool()>& done, int timeoutMs) {
    return QTest::qWaitFor(done, timeoutMs);
}

bool TransferFixture::waitForMessage(const std::string& text, int timeoutMs) {
    return waitFor([&] { return recorded(text); }, timeoutMs);
}

bool TransferFixture::connectToSim() {
    usePort(m_sim.linkPath());
    transfer().connectToCnc();
    return waitFor([this] { return transfer().session().connected(); });
}

bool TransferFixture::stopped(const std::string& caption) const {
    for (const auto& message : m_recorder.messages())
        if (message.icon == core::common::MessageIcon::Stop && message.caption == caption)
            return true;
    return false;
}

}  // namespace kelcc::ui::test
