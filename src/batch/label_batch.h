// The batch runner's label mode: the labels of the stock or piece table
// written as a PDF with a label scheme of the start folder's option file.
#pragma once

#include <string>
#include <vector>

#include "batch/job_batch.h"

namespace tralvin {

// True when the parameters ask for labels ("-labels:").
bool WantsLabels(const std::vector<std::string>& params);

// Runs the label mode; returns the exit status (kBatchOk, kBatchJobFailed for
// a table, scheme or write failure with the text on `err` and no file written,
// kBatchBadUsage for missing or unknown switch values).
int RunLabelBatch(const std::vector<std::string>& params, const std::string& startFolder,
                  BatchStreams streams);

}  // namespace tralvin
