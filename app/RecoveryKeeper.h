#pragma once
// Keeps this editor's recovery file in step with its unsaved changes: written at
// most once every two seconds while there are changes, at once when asked (a
// signal that ends the program), and removed when the changes are saved or
// discarded. The file itself and its ownership live in files/RecoveryFolder.h.

#include "files/RecoveryFolder.h"
#include "scene/SceneBank.h"

#include <QObject>
#include <QTimer>
#include <functional>
#include <optional>
#include <string>

namespace korvo {

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    // folder: where recovery files live. reportError is called once, with the
    // message, when the file cannot be written; the editor goes on without it.
    RecoveryKeeper(std::string folder, std::function<void(const std::string&)> reportError,
                   QObject* parent = nullptr);

    const std::string& folder() const { return folder_; }

    // The scenes changed: with unsaved changes they are written soon, without any
    // the file is removed.
    void changed(bool modified, const SceneBank& bank, const std::string& fileName);
    // Writes what is pending now.
    void writeNow();
    // The changes were discarded on purpose: no file is kept.
    void discard();

private:
    void write();
    bool ensureSlot();
    void fail(const std::string& message);

    std::string folder_;
    std::function<void(const std::string&)> reportError_;
    std::optional<RecoverySlot> slot_;
    QTimer throttle_;
    bool pending_ = false;
    bool failed_ = false;
    SceneBank bank_;
    std::string fileName_;
};

} // namespace korvo
