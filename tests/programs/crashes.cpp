// Ends by a fault.
#include "self.h"

int main()
{
    testprogram::crash();
}
