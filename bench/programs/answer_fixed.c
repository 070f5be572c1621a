/* A technology program reduced to its exchange: writes a fixed two-value
   answer as A_ElectrodeMat.xml beside its own file and ends. */
#include <stdio.h>
#include <string.h>

int main(int argc, char** argv)
{
    static const char answer[] =
        "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n"
        "<AnswerElectrodeMaterial>\n"
        "  <Type><Name>Copper</Name></Type>\n"
        "  <Type><Name>Graphite</Name></Type>\n"
        "</AnswerElectrodeMaterial>\n";
    char path[4096];
    const char* slash;
    size_t directory;
    FILE* out;
    if (argc < 1)
        return 1;
    slash = strrchr(argv[0], '/');
    directory = slash ? (size_t)(slash - argv[0] + 1) : 0;
    if (directory + sizeof "A_ElectrodeMat.xml" > sizeof path)
        return 1;
    memcpy(path, argv[0], directory);
    strcpy(path + directory, "A_ElectrodeMat.xml");
    out = fopen(path, "wb");
    if (out == NULL)
        return 1;
    fputs(answer, out);
    return fclose(out) == 0 ? 0 : 1;
}
