/* The command line of qelquery, its arguments in UTF-8 (the text the
 * library takes); each platform's entry point hands them over. */
#ifndef QELQUERY_MAIN_H
#define QELQUERY_MAIN_H

int qelquery_main(int argc, char** argv);

#endif
