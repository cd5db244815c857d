#pragma once
// The subcommands on scene sources: dump, convert, diff.

#include "tools/cli/SceneSources.h"

#include <string>

namespace korvo::cli {

// onlyScene 0 for all four.
int RunDump(const SceneContext& context, const std::string& source, int onlyScene, bool json);
int RunConvert(const SceneContext& context, const std::string& in, const std::string& out, bool force);
// ExitDone when the two hold the same scenes, ExitDifferent otherwise.
int RunDiff(const SceneContext& context, const std::string& a, const std::string& b);

} // namespace korvo::cli
