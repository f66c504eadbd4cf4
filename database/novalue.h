#pragma once

// Key or code meaning "no record": a new record, a cancelled choice or a failed lookup.
constexpr int NoValue = 0x7fffffff;
