#include "benchDocuments.h"

#include <map>
#include <memory>

namespace bench {

namespace {

using Cache = std::map<size_t, std::unique_ptr<std::string>>;

template <class Make>
const std::string& cached(Cache& cache, size_t key, Make&& make)
{
    std::unique_ptr<std::string>& slot = cache[key];
    if (!slot) {
        slot.reset(new std::string);
        make(*slot);
    }
    return *slot;
}

const char* const kMaterials[] = {"Copper", "Graphite", "Copper-Tungsten", "Tungsten carbide",
                                  "Silver-Tungsten", "Brass"};

} // namespace

const std::string& answer_document(size_t values)
{
    static Cache cache;
    return cached(cache, values, [values](std::string& out) {
        out.reserve(values * 104 + 128);
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<AnswerElectrodeMaterial>\n";
        for (size_t i = 0; i < values; ++i) {
            out += "  <Type>\n    <Material>";
            out += kMaterials[i % 6];
            out += " grade ";
            out += std::to_string(100000 + i);
            out += ", fine grain, for roughing and finishing</Material>\n  </Type>\n";
        }
        out += "</AnswerElectrodeMaterial>\n";
    });
}

const std::string& general_document(size_t bytes)
{
    static Cache cache;
    return cached(cache, bytes, [bytes](std::string& out) {
        out.reserve(bytes + 2048);
        out += "<?xml version=\"1.0\" encoding=\"UTF-8\"?>\n<catalog version=\"2\" xml:lang='en'>\n";
        for (size_t i = 0; out.size() < bytes; ++i) {
            const std::string n = std::to_string(i);
            out += "  <!-- section " + n + ": generated for measuring -->\n";
            out += "  <section id=\"s" + n + "\" kind='outer' title=\"Caf\xC3\xA9 &amp; more\">\n";
            out += "    <heading>Part " + n + " &lt;draft&gt; &#169; by M\xC3\xBCller</heading>\n";
            out += "    <group a=\"1\" b='two' c=\"x &quot;quoted&quot; y\">\n";
            out += "      <item n=\"" + n + "\" m='&lt;z&gt;'>Text with &amp; and &lt; references, "
                   "and &#8364; sums of " + n + " units.</item>\n";
            out += "      <data><![CDATA[raw <stuff> & things " + n + "]]></data>\n";
            out += "      <l3 depth=\"3\"><l4><l5 depth='5'><l6><l7><l8 q=\"deep\">leaf " + n +
                   " text</l8><l8 q='deep'/></l7></l6></l5></l4></l3>\n";
            out += "      <?render mode=\"fast\"?>\n";
            out += "    </group>\n";
            out += "    <note>Mixed <b>bold</b> and <i>italic</i> words in a sentence.</note>\n";
            out += "  </section>\n";
        }
        out += "</catalog>\n";
    });
}

const std::string& wide_document(size_t children)
{
    static Cache cache;
    return cached(cache, children, [children](std::string& out) {
        out.reserve(children * 5 + 32);
        out += "<root>";
        for (size_t i = 0; i < children; ++i)
            out += "<c/>";
        out += "</root>";
    });
}

const std::string& mixed_text(size_t bytes)
{
    static Cache cache;
    return cached(cache, bytes, [bytes](std::string& out) {
        static const char* const kWords[] = {
            "the", "electrode", "wears", "slowly", "while", "the", "spark", "gap", "stays",
            "constant;", "\xC3\xA9t\xC3\xA9", "na\xC3\xAFve", "\xE2\x82\xAC" "12,50", "Stra\xC3\x9F" "e",
            "\xE2\x80\x9Equoted\xE2\x80\x9C", "\xE2\x80\x94", "caf\xC3\xA9", "G\xC3\xB6teborg",
            "finishing", "roughing", "\xC2\xBD", "mm,", "and", "so", "on.\n"};
        out.reserve(bytes + 32);
        for (size_t i = 0; out.size() < bytes; ++i) {
            out += kWords[(i * 7 + i / 25) % 25];
            out += ' ';
        }
    });
}

} // namespace bench
