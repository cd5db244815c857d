#pragma once
// Keeps this editor's recovery file in step with its unsaved changes.

#include "scene/SceneBank.h"

#include <QObject>
#include <string>

namespace korvo {

class RecoveryKeeper : public QObject {
    Q_OBJECT
public:
    explicit RecoveryKeeper(QObject* parent = nullptr);
    ~RecoveryKeeper() override;

    void changed(bool modified, const SceneBank& bank, const std::string& fileName);
    void discard();
    void writeNow();
};

} // namespace korvo
