#include "tools/cli/FileCommands.h"

#include "scenetext/SceneDiff.h"
#include "scenetext/SceneDump.h"
#include "scenetext/SceneJson.h"
#include "tools/cli/CliError.h"

#include <iostream>

namespace korvo::cli {

int RunDump(const SceneContext& context, const std::string& source, int onlyScene, bool json)
{
    const SceneBank bank = LoadSource(source, context);
    std::cout << (json ? WriteSceneJson(bank, context.notes, onlyScene) : DumpScenes(bank, context.notes, onlyScene));
    return ExitDone;
}

int RunConvert(const SceneContext& context, const std::string& in, const std::string& out, bool force)
{
    KindOfSource(in, false);
    KindOfSource(out, false);
    CheckOutput(out, force);
    SaveSceneFile(out, LoadSceneFile(in, context), context.notes);
    return ExitDone;
}

int RunDiff(const SceneContext& context, const std::string& a, const std::string& b)
{
    const bool withController = KindOfSource(a, true) == SourceKind::Device || KindOfSource(b, true) == SourceKind::Device;
    SceneBank first = LoadSource(a, context);
    SceneBank second = LoadSource(b, context);
    if (withController) {
        // Only what the controller can hold counts: the 12 name characters and
        // each value's lowest 8 bits.
        first = AsControllerHolds(first);
        second = AsControllerHolds(second);
    }
    const auto differences = CompareScenes(first, second, context.notes);
    for (const auto& d : differences)
        std::cout << d.place << ": " << d.before << " -> " << d.after << "\n";
    return differences.empty() ? ExitDone : ExitDifferent;
}

} // namespace korvo::cli
