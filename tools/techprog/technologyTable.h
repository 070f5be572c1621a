// The sample technology: which electrodes suit a part material, which finish
// classes a pair reaches, and the electrodes' undersizes for a cavity. Read
// from the text table shipped beside the program; all text is UTF-8.
#ifndef TECHPROG_TECHNOLOGYTABLE_H
#define TECHPROG_TECHNOLOGYTABLE_H

#include <istream>
#include <string>
#include <vector>

namespace techprog {

// Names match without regard to ASCII letter case; other bytes (UTF-8) must
// be equal.
bool same_name(const std::string& a, const std::string& b);

// A number written with '.' as decimal point, whatever the locale; the whole
// text must be the number.
bool parse_number(const std::string& text, double& value);

class TechnologyTable {
public:
    // Reads the whole table; false with a message naming the line when a
    // line is malformed or names an unknown electrode.
    bool load(std::istream& in, std::string& error);

    // Every answer is empty for a material the table does not know, and for
    // an electrode that does not suit the part.
    std::vector<std::string> electrode_materials(const std::string& part) const;
    std::vector<std::string> surface_finishes(const std::string& part,
                                              const std::string& electrode) const;
    // Undersizes per side in mm, three decimals, one per undersize row; empty
    // unless `finish_class` is one the pair reaches and `depth_mm` >= 0.
    std::vector<std::string> undersizes(const std::string& part, const std::string& electrode,
                                        double finish_class, double depth_mm) const;

private:
    struct Finish {
        int vdi_class;
        double ra_um;
    };
    struct Electrode {
        std::string name;
        double factor;
        int finest_class;
    };
    struct Part {
        std::string name;
        double factor;
        int finest_class;
        std::vector<std::string> electrodes;
    };
    struct Undersize {
        double base_mm;
        double per_ra;
        double per_depth;
    };

    const Part* find_part(const std::string& name) const;
    const Electrode* find_electrode(const std::string& name) const;
    // The electrode when it suits the part, else null.
    const Electrode* pair(const Part* part, const std::string& electrode) const;
    bool add_line(const std::vector<std::string>& fields, std::string& error);

    std::vector<Finish> finishes_;
    std::vector<Electrode> electrodes_;
    std::vector<Part> parts_;
    std::vector<Undersize> undersizes_;
};

} // namespace techprog

#endif
