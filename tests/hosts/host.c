/*
 * A C host as a user writes one, against qellink.h and the library alone:
 * it sets ImportStudyPath to ./exchange, where the build keeps the
 * reference technology programs, and asks the three queries. Each answer
 * is printed on one line, its values joined by ", ". It uses nothing of the
 * C runtime, so that it also links with /nodefaultlib.
 */
#include "qellink.h"
#include "hostOutput.h"

static unsigned long text_length(const char* text)
{
    unsigned long n = 0;
    while (text[n] != '\0')
        ++n;
    return n;
}

static void print(const char* text)
{
    host_write(text, text_length(text));
}

/* Prints "<what>: <values joined by ', '>" and releases the answer. */
static int report(const char* what, const char* answer, int status)
{
    const char* p;
    print(what);
    print(": ");
    if (status != 0 || answer == 0) {
        print("failed\n");
        return status != 0 ? status : 1;
    }
    for (p = answer; *p != '\0'; ++p) {
        if (*p == '\n')
            print(", ");
        else
            host_write(p, 1);
    }
    print("\n");
    delete_string((void*)answer);
    return 0;
}

int run_host(void)
{
    int status = -1;
    int failed = 0;
    int outcome;
    const char* version = api_version();
    const char* answer;

    print("qellink " QELLINK_VERSION_STRING ", interface ");
    print(version);
    print("\n");
    delete_string((void*)version);

    set_parameter_value("ImportStudyPath", "exchange", &status);
    if (status != 0)
        return status;

    answer = electrode_materials("1.2379", &status);
    failed = report("electrode materials", answer, status);
    answer = surface_finishes("1.2379", "Graphite fine grain", &status);
    outcome = report("surface finishes", answer, status);
    failed = failed ? failed : outcome;
    answer = optimum_undersizes("1.2379", "Copper", 12.5, 50.0, 18.0, 120.0, &status);
    outcome = report("optimum undersizes", answer, status);
    failed = failed ? failed : outcome;
    if (!failed)
        print("all three queries answered\n");
    return failed;
}
