#include "app/RecoveryKeeper.h"

namespace korvo {

RecoveryKeeper::RecoveryKeeper(QObject* parent) : QObject(parent) {}
RecoveryKeeper::~RecoveryKeeper() = default;
void RecoveryKeeper::changed(bool, const SceneBank&, const std::string&) {}
void RecoveryKeeper::discard() {}
void RecoveryKeeper::writeNow() {}

} // namespace korvo
