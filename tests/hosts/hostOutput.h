/* What the per-OS entry of a test host gives the portable part: a way to
   write to standard output. The portable part gives the entry run_host(). */
#ifndef QEL_TESTS_HOSTOUTPUT_H
#define QEL_TESTS_HOSTOUTPUT_H

void host_write(const char* text, unsigned long length);

/* Asks the three queries; 0 when all answered, else the first failing status. */
int run_host(void);

#endif
