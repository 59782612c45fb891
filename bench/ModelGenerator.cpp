#include "bench/ModelGenerator.h"

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <random>
#include <string>
#include <vector>

namespace corvane::bench {

namespace {

class Writer {
public:
    explicit Writer(std::ostream& out) : out_(out) { buf_.reserve(1 << 20); }
    ~Writer() { Flush(); }
    Writer& operator<<(const std::string& s) { return Put(s); }
    Writer& operator<<(const char* s) { return Put(s); }
    Writer& operator<<(long v) { return Put(std::to_string(v)); }
    void Table(const char* name) { Put("TABLE:  \"").Put(name).Put("\"\r\n"); }
    void End() { Put(" \r\n"); }
    void Line(const std::string& s) { Put("   ").Put(s).Put("\r\n"); }

private:
    Writer& Put(const std::string& s) {
        buf_ += s;
        if (buf_.size() > (1 << 20)) Flush();
        return *this;
    }
    void Flush() {
        out_.write(buf_.data(), static_cast<std::streamsize>(buf_.size()));
        buf_.clear();
    }
    std::ostream& out_;
    std::string buf_;
};

std::string Num(double v) {
    char b[32];
    std::snprintf(b, sizeof b, "%.6g", v);
    return b;
}

std::string Guid(std::mt19937_64& rng) {
    char b[40];
    const std::uint64_t a = rng(), c = rng();
    std::snprintf(b, sizeof b, "%08x-%04x-%04x-%04x-%012llx", static_cast<unsigned>(a >> 32), static_cast<unsigned>(a >> 16) & 0xffff,
                  static_cast<unsigned>(a) & 0xffff, static_cast<unsigned>(c >> 48), static_cast<unsigned long long>(c & 0xffffffffffffULL));
    return b;
}

const char* const kPatterns[] = {"DEAD", "SDEAD", "LIVE", "LIVE2", "ROOF", "SNOW", "WINDX", "WINDY", "WINDXN", "WINDYN", "EQX", "EQY",
                                 "TEMP", "CRANE1", "CRANE2", "PONDING", "RAIN", "ICE", "EQXE", "EQYE", "NOTIONALX", "NOTIONALY",
                                 "\"FACADE LOAD\"", "\"PLANT LOAD\""};

}  // namespace

void GenerateModel(long target, unsigned long seed, std::ostream& out) {
    std::mt19937_64 rng(seed);
    std::uniform_real_distribution<double> uni(0.0, 1.0);
    Writer w(out);
    const long levels = 11;
    const long side = std::max(2L, static_cast<long>(std::ceil(std::sqrt(static_cast<double>(target) / levels))));
    const long perLevel = side * side;
    const double bay = 6.0, storey = 3.5;
    auto jointId = [&](long i, long j, long k) { return 1 + k * perLevel + j * side + i; };

    w << "File C:\\Models\\generated.s2k was saved on 12/6/26 at 10:00:00\r\n \r\n";
    w.Table("PROGRAM CONTROL");
    w.Line("ProgramName=SAP2000   Version=22.0.0   ProgLevel=Ultimate   LicenseNum=1   CurrUnits=\"KN, m, C\"   SteelCode=\"AISC 360-16\"   RegenHinge=Yes");
    w.End();
    w.Table("MATERIAL PROPERTIES 02 - BASIC MECHANICAL PROPERTIES");
    w.Line("Material=C30   UnitWeight=23.5631216   UnitMass=2.40276960611018   E1=24855578.2847654   G12=10356490.9519856   U12=0.2   A1=0.0000099");
    w.Line("Material=A992Fy50   UnitWeight=76.9728639422648   UnitMass=7.84904737995992   E1=199947978.795958   G12=76903068.7676762   U12=0.3   A1=0.0000117");
    w.End();
    w.Table("FRAME SECTION PROPERTIES 01 - GENERAL");
    w.Line("SectionName=COL500   Material=C30   Shape=Rectangular   t3=0.5   t2=0.5   Area=0.25   TorsConst=0.00880208333333333   I33=0.00520833333333333 _");
    w.Line("     I22=0.00520833333333333   AS2=0.208333333333333   AS3=0.208333333333333   Color=Blue   Notes=\"Added 12/6/2026\"");
    w.Line("SectionName=CIRC600   Material=C30   Shape=Circle   t3=0.6   Area=0.282743338823081   TorsConst=0.0127234502470387   I33=0.00636172512351933");
    w.Line("SectionName=W18X35   Material=A992Fy50   Shape=\"I/Wide Flange\"   t3=0.4496   t2=0.1524   tf=0.0108   tw=0.0076   t2b=0.1524   tfb=0.0108 _");
    w.Line("     Area=0.006645   TorsConst=2.09E-07   I33=0.000212   I22=6.4E-06");
    w.Line("SectionName=PG900   Material=A992Fy50   Shape=\"I/Wide Flange\"   t3=0.9   t2=0.3   tf=0.025   tw=0.014   t2b=0.3   tfb=0.025   Area=0.0268");
    w.End();
    w.Table("AREA SECTION PROPERTIES");
    w.Line("Section=SLAB200   Material=C30   MatAngle=0   AreaType=Shell   Type=Shell-Thin   DrillDOF=Yes   Thickness=0.2   BendThick=0.2 _");
    w.Line("     Color=Green   Notes=\"Added 12/6/2026\"");
    w.Line("Section=ROOF150   Material=C30   MatAngle=0   AreaType=Shell   Type=Shell-Thin   DrillDOF=Yes   Thickness=0.15   BendThick=0.15");
    w.End();

    w.Table("JOINT COORDINATES");
    for (long k = 0; k < levels; ++k)
        for (long j = 0; j < side; ++j)
            for (long i = 0; i < side; ++i) {
                const std::string x = Num(i * bay), y = Num(j * bay), z = Num(k * storey);
                w.Line("Joint=" + std::to_string(jointId(i, j, k)) + "   CoordSys=GLOBAL   CoordType=Cartesian   XorR=" + x + "   Y=" + y + "   Z=" + z +
                       "   SpecialJt=No   GlobalX=" + x + "   GlobalY=" + y + "   GlobalZ=" + z + "   GUID=" + Guid(rng));
            }
    w.End();

    // Members: columns first, then beams along X and along Y.
    struct Member {
        long id, a, b;
        bool column;
    };
    std::vector<Member> members;
    long next = 1;
    for (long k = 0; k + 1 < levels; ++k)
        for (long j = 0; j < side; ++j)
            for (long i = 0; i < side; ++i) members.push_back({next++, jointId(i, j, k), jointId(i, j, k + 1), true});
    for (long k = 1; k < levels; ++k)
        for (long j = 0; j < side; ++j)
            for (long i = 0; i < side; ++i) {
                if (i + 1 < side) members.push_back({next++, jointId(i, j, k), jointId(i + 1, j, k), false});
                if (j + 1 < side) members.push_back({next++, jointId(i, j, k), jointId(i, j + 1, k), false});
            }
    w.Table("CONNECTIVITY - FRAME");
    for (const auto& m : members)
        w.Line("Frame=" + std::to_string(m.id) + "   JointI=" + std::to_string(m.a) + "   JointJ=" + std::to_string(m.b) +
               "   IsCurved=No   Length=" + (m.column ? Num(storey) : Num(bay)) + "   GUID=" + Guid(rng));
    w.End();

    // Shells: every bay of every floor; one bay in seven is two triangles.
    std::vector<long> areaIds;
    w.Table("CONNECTIVITY - AREA");
    long area = 1;
    for (long k = 1; k < levels; ++k)
        for (long j = 0; j + 1 < side; ++j)
            for (long i = 0; i + 1 < side; ++i) {
                const long a = jointId(i, j, k), b = jointId(i + 1, j, k), c = jointId(i + 1, j + 1, k), d = jointId(i, j + 1, k);
                if ((i + j + k) % 7 == 0) {
                    w.Line("Area=" + std::to_string(area) + "   NumJoints=3   Joint1=" + std::to_string(a) + "   Joint2=" + std::to_string(b) +
                           "   Joint3=" + std::to_string(c) + "   Perimeter=20.49   AreaArea=18");
                    areaIds.push_back(area++);
                    w.Line("Area=" + std::to_string(area) + "   NumJoints=3   Joint1=" + std::to_string(a) + "   Joint2=" + std::to_string(c) +
                           "   Joint3=" + std::to_string(d) + "   Perimeter=20.49   AreaArea=18");
                } else {
                    w.Line("Area=" + std::to_string(area) + "   NumJoints=4   Joint1=" + std::to_string(a) + "   Joint2=" + std::to_string(b) +
                           "   Joint3=" + std::to_string(c) + "   Joint4=" + std::to_string(d) + "   Perimeter=24   AreaArea=36");
                }
                areaIds.push_back(area++);
            }
    w.End();

    w.Table("JOINT RESTRAINT ASSIGNMENTS");
    for (long j = 0; j < side; ++j)
        for (long i = 0; i < side; ++i) {
            const bool fixed = (i + j) % 3 != 0;
            w.Line("Joint=" + std::to_string(jointId(i, j, 0)) + "   U1=Yes   U2=Yes   U3=Yes   R1=" + (fixed ? "Yes" : "No") + "   R2=" +
                   (fixed ? "Yes" : "No") + "   R3=" + ((i + j) % 5 == 0 ? "No" : fixed ? "Yes" : "No"));
        }
    w.End();

    w.Table("FRAME SECTION ASSIGNMENTS");
    for (const auto& m : members) {
        const char* section = m.column ? (m.id % 9 == 0 ? "CIRC600" : "COL500") : (m.id % 5 == 0 ? "PG900" : "W18X35");
        w.Line("Frame=" + std::to_string(m.id) + "   SectionType=" + (m.column ? "Rectangular" : "I/Wide Flange") +
               "   AutoSelect=N.A.   AnalSect=" + section + "   DesignSect=" + section + "   MatProp=Default");
    }
    w.End();
    w.Table("AREA SECTION ASSIGNMENTS");
    for (long id : areaIds) w.Line("Area=" + std::to_string(id) + "   Section=" + (id % 10 == 0 ? "ROOF150" : "SLAB200") + "   MatProp=Default");
    w.End();

    w.Table("FRAME RELEASE ASSIGNMENTS 1 - GENERAL");
    for (const auto& m : members)
        if (!m.column && m.id % 37 == 0)
            w.Line("Frame=" + std::to_string(m.id) + "   PI=No   V2I=No   V3I=No   TI=No   M2I=" + (m.id % 2 ? "Yes" : "No") +
                   "   M3I=Yes   PJ=No   V2J=No   V3J=No   TJ=No   M2J=No   M3J=" + (m.id % 3 ? "Yes" : "No") + "   PartialFix=No");
    w.End();

    w.Table("LOAD PATTERN DEFINITIONS");
    for (std::size_t p = 0; p < std::size(kPatterns); ++p)
        w.Line(std::string("LoadPat=") + kPatterns[p] + "   DesignType=" + (p >= 10 && p <= 11 ? "QUAKE" : p < 2 ? "DEAD" : "LIVE") +
               "   SelfWtMult=" + (p == 0 ? "1" : "0") + "   GUID=" + Guid(rng));
    w.End();

    // Loads: each pattern touches a few percent of the members, with many
    // distinct values so that grouping produces many lines.
    const auto some = [&](double share) { return uni(rng) < share; };
    const auto value = [&] { return Num(std::round(uni(rng) * 400) / 8); };
    w.Table("FRAME LOADS - DISTRIBUTED");
    static const char* const dirs[] = {"Gravity", "Gravity", "X", "Y", "Z", "\"X Proj\"", "2"};
    for (std::size_t p = 0; p < std::size(kPatterns); ++p)
        for (const auto& m : members) {
            if (!some(0.03)) continue;
            const char* dir = dirs[rng() % std::size(dirs)];
            const bool whole = some(0.8);
            const std::string a = value(), b = some(0.7) ? a : value();
            w.Line("Frame=" + std::to_string(m.id) + "   LoadPat=" + kPatterns[p] + "   CoordSys=" + (std::string(dir) == "2" ? "Local" : "GLOBAL") +
                   "   Type=Force   Dir=" + dir + "   DistType=RelDist   RelDistA=" + (whole ? "0" : "0.25") + "   RelDistB=1   AbsDistA=" +
                   (whole ? "0" : "1.5") + "   AbsDistB=6   FOverLA=" + a + "   FOverLB=" + b + "   GUID=" + Guid(rng));
        }
    w.End();
    w.Table("FRAME LOADS - POINT");
    for (std::size_t p = 0; p < std::size(kPatterns); ++p)
        for (const auto& m : members)
            if (!m.column && some(0.01))
                w.Line("Frame=" + std::to_string(m.id) + "   LoadPat=" + kPatterns[p] +
                       "   CoordSys=GLOBAL   Type=Force   Dir=Gravity   DistType=RelDist   RelDist=0.5   AbsDist=3   Force=" + value() +
                       "   GUID=" + Guid(rng));
    w.End();
    w.Table("JOINT LOADS - FORCE");
    const long joints = levels * perLevel;
    for (std::size_t p = 0; p < std::size(kPatterns); ++p)
        for (long id = 1; id <= joints; ++id)
            if (some(0.02))
                w.Line("Joint=" + std::to_string(id) + "   LoadPat=" + kPatterns[p] + "   CoordSys=GLOBAL   F1=" + value() + "   F2=" +
                       (some(0.5) ? value() : "0") + "   F3=-" + value() + "   M1=0   M2=" + (some(0.2) ? value() : "0") + "   M3=0");
    w.End();
    w.Table("AREA LOADS - UNIFORM");
    for (std::size_t p = 0; p < std::size(kPatterns); ++p)
        for (long id : areaIds)
            if (some(0.04))
                w.Line("Area=" + std::to_string(id) + "   LoadPat=" + kPatterns[p] + "   CoordSys=GLOBAL   Dir=Gravity   UnifLoad=" + value());
    w.End();

    w.Table("COMBINATION DEFINITIONS");
    for (int c = 1; c <= 40; ++c) {
        const std::string name = "\"ULS " + std::to_string(c) + "\"";
        for (int k = 0; k < 4; ++k) {
            const char* pattern = kPatterns[(c * 3 + k * 5) % std::size(kPatterns)];
            w.Line("ComboName=" + name + (k == 0 ? "   ComboType=\"Linear Add\"   AutoDesign=No" : "") + "   CaseName=" + pattern +
                   "   ScaleFactor=" + Num(1 + (c % 5) * 0.1 + k * 0.05));
        }
    }
    w.End();
    w << "END TABLE DATA\r\n";
}

}  // namespace corvane::bench
