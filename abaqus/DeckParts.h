// The fixed parts of an Abaqus deck that both decks write: the assembly and
// the one static step with its pressure.
#pragma once

namespace corvane {

inline constexpr const char* kAssembly[] = {
    "** ASSEMBLY", "**", "*Assembly, name=Assembly", "**", "*Instance, name=Part-1-1, part=Part-1", "*End Instance", "**",
};

inline constexpr const char* kStep[] = {
    "**", "** STEP: Step-1", "**", "*Step, name=Step-1", "*Static", "1., 1., 1e-05, 1.", "**",
    "** BOUNDARY CONDITIONS", "**", "** Name: BC-1 Type: Displacement/Rotation", "*Boundary",
    "_PickedSet4, 1, 1", "_PickedSet4, 2, 2", "_PickedSet4, 3, 3", "**", "*Dsload", "_PickedSurf5, P, 0.001",
    "** OUTPUT REQUESTS", "**", "*Restart, write, frequency=0", "**", "** FIELD OUTPUT: F-Output-1", "**",
    "*Output, field, variable=PRESELECT", "**", "** HISTORY OUTPUT: H-Output-1", "**",
    "*Output, history, variable=PRESELECT", "*End Step",
};

}  // namespace corvane
