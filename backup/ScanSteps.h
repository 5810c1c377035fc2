#pragma once

#include <array>
#include <cstdint>

#include "backup/IPhoneRecoveryParse.h"
#include "records/CategoryTable.h"
#include "records/ScanResults.h"

namespace zbe {

// The reading operations of a scan, bound to the recovery source, with their part of the
// scan's progress. The category table names each category's step (RecordCategoryInfo::
// readStep); the scan runs the steps of the chosen categories in this table's order.

// A share of the scan's step weight W (11 for a plain backup, 10 for an encrypted one):
// W × times / divisor, in integer arithmetic.
struct ProgressShare {
  int32_t times = 0;
  int32_t divisor = 1;

  int32_t Of(int32_t weight) const { return weight * times / divisor; }
};

struct ScanStep {
  ReadStep step;
  // Calls the step's operation of "source" on its containers in "results" and, unless the
  // operation was stopped (2), builds what lists derive from them: the conversation and chat
  // rows, the app media grouped by kind. Returns the operation's result.
  int32_t (*read)(IPhoneRecoveryParse& source, ScanResults& results);
  // The share that the per-entry reports of a media walk span (running + share × k / N); none
  // for the record readers.
  ProgressShare entries;
  // The share that the operation adds to the running progress at its end.
  ProgressShare end;
};

// Every step, in the order a scan runs them (that of ReadStep): the camera roll and photo
// stream, messages, message attachments, contacts, call history, notes, app media, WhatsApp,
// WhatsApp attachments. With every category chosen on a plain backup the shares bring the
// scan's progress to 98.
const std::array<ScanStep, kReadStepCount>& ScanSteps();

// The row of "step" (not kNone).
const ScanStep& ScanStepOf(ReadStep step);

}  // namespace zbe
