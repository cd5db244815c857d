#include "app/LinkSettings.h"

#include "app/EditorSettings.h"

#include <QSettings>

namespace korvo {

namespace {

// The editor's settings file, shared with the recent files and folders.
QSettings Settings() { return QSettings(EditorSettingsFile(), QSettings::IniFormat); }

const QString ServiceKey = QStringLiteral("Link/MidiService");
const QString VerifyKey = QStringLiteral("Link/VerifyAfterSend");
const QString OutputKey = QStringLiteral("Link/Output");
const QString InputKey = QStringLiteral("Link/Input");

} // namespace

MidiService StoredMidiService()
{
    const QString name = Settings().value(ServiceKey).toString();
    return ParseMidiService(name.toStdString()).value_or(MidiService::Automatic);
}

void StoreMidiService(MidiService service)
{
    Settings().setValue(ServiceKey, QString::fromLatin1(MidiServiceName(service)));
}

bool StoredVerifyAfterSend() { return Settings().value(VerifyKey, false).toBool(); }

void StoreVerifyAfterSend(bool on) { Settings().setValue(VerifyKey, on); }

DevicePair StoredDevicePair()
{
    auto settings = Settings();
    return {settings.value(OutputKey).toString().toStdString(), settings.value(InputKey).toString().toStdString()};
}

void StoreDevicePair(const DevicePair& pair)
{
    auto settings = Settings();
    settings.setValue(OutputKey, QString::fromStdString(pair.Output));
    settings.setValue(InputKey, QString::fromStdString(pair.Input));
}

} // namespace korvo
