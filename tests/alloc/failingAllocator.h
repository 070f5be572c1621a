// The global operator new of the allocation-failure and core test programs:
// it counts allocations and the blocks that are alive and, once armed with
// n, fails the n-th allocation from then on
// by throwing std::bad_alloc, as an exhausted heap would.
#ifndef QEL_TEST_FAILINGALLOCATOR_H
#define QEL_TEST_FAILINGALLOCATOR_H

namespace failalloc {

// The n-th allocation from now on fails (n >= 1); every other succeeds.
void arm(long n);
// Stops failing; answers whether the armed allocation was reached.
bool disarm();
// Blocks from operator new that are not yet deleted.
long live_blocks();
// Every allocation gets the next serial number; this is the last one given.
long last_serial();
// The serial number of the oldest live block allocated after `serial`, or 0:
// where a block left behind came from (break on its allocation in a
// debugger).
long first_live_since(long serial);

} // namespace failalloc

#endif
