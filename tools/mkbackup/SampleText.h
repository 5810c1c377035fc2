#pragma once

#include <cstdint>
#include <string>

#include "tools/mkbackup/SampleRandom.h"

namespace zbe::mkbackup {

// Texts shared by the record generators. All are pure functions of their arguments (or draw
// only from the generator's own SampleRandom), so one seed gives the same databases.

// A UUID text ("8-4-4-4-12" hexadecimal digits, upper case) made from "number" and "salt".
std::string UpperUuid(int64_t number, uint32_t salt);

// One line of a chat: greetings, plans, questions, emoji, links, texts with "/" in them.
std::string ChatLine(SampleRandom& random);

}  // namespace zbe::mkbackup
