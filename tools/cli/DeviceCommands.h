#pragma once
// The subcommands that talk to the controller: ports, find, read, send.

#include "scene/SceneBank.h"
#include "tools/cli/SceneSources.h"

#include <string>

namespace korvo::cli {

int RunPorts();
int RunFind();
int RunRead(const SceneContext& context, const std::string& out, bool force);
int RunSend(const SceneContext& context, const std::string& in, bool verify);

// The controller's scenes, found and read as the editor's Read Scene Data does,
// unpacked onto the base. Throws CliError when that fails.
SceneBank ReadController(const SceneContext& context);

} // namespace korvo::cli
