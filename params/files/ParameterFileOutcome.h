#pragma once

namespace zok {

// How a parameter-file save ended; each outcome has its own message box.
enum class SaveOutcome {
    AccessError, // the file could not be opened or created: nothing written
    WriteError,  // the file could not be written: the old file is intact
    Saved,
};

// How a parameter-file load ended.
enum class LoadOutcome {
    AccessError,  // the file could not be opened: the model is unchanged
    ContentError, // a key was missing or not a number: the keys before it were applied
    Loaded,       // all 22 keys were applied
};

// What a load did, for the caller to finish the command.
struct LoadResult
{
    LoadOutcome Outcome = LoadOutcome::AccessError;
    // Keys stored into the model, counted in file key order.
    int AppliedCount = 0;
    // RX_VITESSE was reached, valid or not: the port is to be opened again at the model's speed.
    bool SpeedKeyReached = false;
};

// The message box that reports an outcome: string id of its text, and whether it carries the
// error icon (otherwise it is a plain information box).
struct OutcomeMessage
{
    int TextId;
    bool IsError;
};

OutcomeMessage MessageOf(SaveOutcome outcome);
OutcomeMessage MessageOf(LoadOutcome outcome);

} // namespace zok
