#pragma once
// Voucher lines written straight into the books for a test: current lines into pzk, those
// of closed periods into pzkls with the remark the closing gives them.

#include "testsupport.h"

#include <span>

namespace testsupport {

struct SeedLine {
    const char *table; // "pzk" or "pzkls"
    const char *period;
    int pz;
    const char *rq;
    const char *km_no;
    const char *km_zjf;
    const char *km_name;
    int debit = 100; // cents
    int credit = 0;
};

// In the order given, so that rowids follow it.
void writeLines(TestDb &db, std::span<const SeedLine> lines);

} // namespace testsupport
