#include "technologyTable.h"

#include <cmath>
#include <iomanip>
#include <locale>
#include <sstream>

namespace techprog {

namespace {

std::string trim(const std::string& text)
{
    const char* blanks = " \t\r\n";
    size_t first = text.find_first_not_of(blanks);
    if (first == std::string::npos)
        return std::string();
    return text.substr(first, text.find_last_not_of(blanks) - first + 1);
}

std::vector<std::string> split(const std::string& text, char separator)
{
    std::vector<std::string> fields;
    size_t start = 0;
    for (;;) {
        size_t end = text.find(separator, start);
        fields.push_back(trim(text.substr(start, end - start)));
        if (end == std::string::npos)
            return fields;
        start = end + 1;
    }
}

bool parse_class(const std::string& text, int& value)
{
    double number = 0;
    if (!parse_number(text, number) || number != std::floor(number) || number < 0 || number > 99)
        return false;
    value = static_cast<int>(number);
    return true;
}

std::string millimetres(double value)
{
    std::ostringstream out;
    out.imbue(std::locale::classic());
    out << std::fixed << std::setprecision(3) << value;
    return out.str();
}

} // namespace

bool parse_number(const std::string& text, double& value)
{
    std::istringstream in(text);
    in.imbue(std::locale::classic());
    in >> value;
    return !in.fail() && in.eof() && std::isfinite(value);
}

bool same_name(const std::string& a, const std::string& b)
{
    if (a.size() != b.size())
        return false;
    for (size_t i = 0; i < a.size(); ++i) {
        unsigned char x = a[i], y = b[i];
        if (x >= 'A' && x <= 'Z')
            x += 'a' - 'A';
        if (y >= 'A' && y <= 'Z')
            y += 'a' - 'A';
        if (x != y)
            return false;
    }
    return true;
}

bool TechnologyTable::load(std::istream& in, std::string& error)
{
    std::string line;
    for (int number = 1; std::getline(in, line); ++number) {
        line = trim(line);
        if (line.empty() || line[0] == '#')
            continue;
        if (!add_line(split(line, '|'), error)) {
            error = "line " + std::to_string(number) + ": " + error;
            return false;
        }
    }
    for (const Part& part : parts_)
        for (const std::string& electrode : part.electrodes)
            if (!find_electrode(electrode)) {
                error = "part " + part.name + " names an unknown electrode: " + electrode;
                return false;
            }
    return true;
}

bool TechnologyTable::add_line(const std::vector<std::string>& f, std::string& error)
{
    const std::string& kind = f[0];
    if (kind == "finish" && f.size() == 3) {
        Finish finish{};
        if (parse_class(f[1], finish.vdi_class) && parse_number(f[2], finish.ra_um)) {
            finishes_.push_back(finish);
            return true;
        }
    } else if (kind == "electrode" && f.size() == 4) {
        Electrode electrode{f[1], 0, 0};
        if (!f[1].empty() && parse_number(f[2], electrode.factor) &&
            parse_class(f[3], electrode.finest_class)) {
            electrodes_.push_back(electrode);
            return true;
        }
    } else if (kind == "part" && f.size() == 5) {
        Part part{f[1], 0, 0, split(f[4], ',')};
        if (!f[1].empty() && parse_number(f[2], part.factor) &&
            parse_class(f[3], part.finest_class)) {
            parts_.push_back(part);
            return true;
        }
    } else if (kind == "undersize" && f.size() == 5) {
        Undersize undersize{};
        if (parse_number(f[2], undersize.base_mm) && parse_number(f[3], undersize.per_ra) &&
            parse_number(f[4], undersize.per_depth)) {
            undersizes_.push_back(undersize);
            return true;
        }
    }
    error = "not a finish, electrode, part or undersize row: " + kind;
    return false;
}

const TechnologyTable::Part* TechnologyTable::find_part(const std::string& name) const
{
    for (const Part& part : parts_)
        if (same_name(part.name, name))
            return &part;
    return nullptr;
}

const TechnologyTable::Electrode* TechnologyTable::find_electrode(const std::string& name) const
{
    for (const Electrode& electrode : electrodes_)
        if (same_name(electrode.name, name))
            return &electrode;
    return nullptr;
}

const TechnologyTable::Electrode* TechnologyTable::pair(const Part* part,
                                                        const std::string& electrode) const
{
    if (!part)
        return nullptr;
    for (const std::string& suited : part->electrodes)
        if (same_name(suited, electrode))
            return find_electrode(suited);
    return nullptr;
}

std::vector<std::string> TechnologyTable::electrode_materials(const std::string& part) const
{
    const Part* found = find_part(part);
    return found ? found->electrodes : std::vector<std::string>();
}

std::vector<std::string> TechnologyTable::surface_finishes(const std::string& part,
                                                           const std::string& electrode) const
{
    std::vector<std::string> classes;
    const Part* p = find_part(part);
    const Electrode* e = pair(p, electrode);
    if (!e)
        return classes;
    for (const Finish& finish : finishes_)
        if (finish.vdi_class >= p->finest_class && finish.vdi_class >= e->finest_class)
            classes.push_back(std::to_string(finish.vdi_class));
    return classes;
}

std::vector<std::string> TechnologyTable::undersizes(const std::string& part,
                                                     const std::string& electrode,
                                                     double finish_class, double depth_mm) const
{
    std::vector<std::string> values;
    const Part* p = find_part(part);
    const Electrode* e = pair(p, electrode);
    if (!e || !(depth_mm >= 0))
        return values;
    const Finish* finish = nullptr;
    for (const Finish& f : finishes_)
        if (f.vdi_class == finish_class && f.vdi_class >= p->finest_class &&
            f.vdi_class >= e->finest_class)
            finish = &f;
    if (!finish)
        return values;
    double k = p->factor * e->factor;
    for (const Undersize& u : undersizes_)
        values.push_back(
            millimetres(k * (u.base_mm + u.per_ra * finish->ra_um + u.per_depth * depth_mm)));
    return values;
}

} // namespace techprog
