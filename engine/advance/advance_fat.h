// Rebuilding FAT volumes from the sweep's boot sectors and directory starts.
#pragma once

#include "advance/advance_lists.h"

// Both passes: volumes from boot sectors confirmed by the directories where
// their geometry puts them, then InferFatVolumes.
void RebuildFatVolumes();
// Solves the geometry for the directories no boot sector explains.
void InferFatVolumes();
// 1 when a volume was built around the candidate, else 0.
int InferFatGeometry(DirClusterCandidate* candidate);
