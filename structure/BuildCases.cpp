// The structure builder's load cases (what the model analyses: patterns
// times factors, accelerations, P-Delta) and the combinations of cases.
#include "structure/BuildSupport.h"
#include "text/NumberText.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <unordered_map>

namespace corvane {

namespace {

// The analysis case types by the kind the structure gives them.
constexpr struct {
    std::string_view word;
    CaseKind kind;
} kCaseTypes[] = {
    {"LINSTATIC", CaseKind::LinearStatic},     {"NONSTATIC", CaseKind::NonlinearStatic},  {"LINMODAL", CaseKind::Modal},
    {"LINMODALRITZ", CaseKind::Modal},         {"LINMODALEIGEN", CaseKind::Modal},        {"LINRESPSPEC", CaseKind::ResponseSpectrum},
    {"LINBUCKLING", CaseKind::Buckling},       {"LINMODHIST", CaseKind::TimeHistory},     {"LINDIRHIST", CaseKind::TimeHistory},
    {"NONMODHIST", CaseKind::TimeHistory},     {"NONDIRHIST", CaseKind::TimeHistory},     {"LINSTEADY", CaseKind::TimeHistory},
    {"LINPSD", CaseKind::TimeHistory},
};

// The names an acceleration load gives its global direction.
constexpr struct {
    std::string_view word;
    int axis;
} kAccelerations[] = {
    {"UX", 0}, {"UY", 1}, {"UZ", 2}, {"U1", 0}, {"U2", 1}, {"U3", 2},
    {"ACCEL UX", 0}, {"ACCEL UY", 1}, {"ACCEL UZ", 2}, {"ACCEL U1", 0}, {"ACCEL U2", 1}, {"ACCEL U3", 2},
};

// The combination types with a rule.
constexpr struct {
    std::string_view word;
    CombinationKind kind;
} kComboKinds[] = {{"LINEAR ADD", CombinationKind::Add},
                   {"SRSS", CombinationKind::Srss},
                   {"ABS ADD", CombinationKind::Abs},
                   {"ABSOLUTE ADD", CombinationKind::Abs},
                   {"ENVELOPE", CombinationKind::Envelope}};

std::string Upper(std::string s) {
    for (char& ch : s) ch = static_cast<char>(std::toupper(static_cast<unsigned char>(ch)));
    return s;
}

class CaseBuilder {
public:
    explicit CaseBuilder(BuildContext& c) : c_(c), m_(c.model), defs_(m_[TableId::LoadCases]) {}

    void Run() {
        if (!Given()) {
            Implied();
            return;
        }
        const Table& loads = m_[TableId::CaseLoads];
        names_.Build(defs_, LoadCaseCol::Case);
        // Every case once, at its first row.
        index_.assign(defs_.rows(), kNoItem);
        for (std::size_t r = 0; r < defs_.rows(); ++r)
            if (names_.Find(defs_, r, LoadCaseCol::Case) == static_cast<std::int64_t>(r)) {
                index_[r] = static_cast<std::uint32_t>(c_.s.cases.size());
                c_.s.cases.emplace_back();
            }
        std::vector<std::int64_t> keys(loads.rows());
        for (std::size_t r = 0; r < loads.rows(); ++r) keys[r] = names_.Find(loads, r, CaseLoadCol::Case);
        const Groups assigned(defs_.rows(), keys);
        const NameIndex nonlinear(m_[TableId::CaseNonlinear], CaseNonlinearCol::Case),
            application(m_[TableId::CaseLoadApplication], CaseLoadApplicationCol::Case);
        const NameIndex modal(c_.model[TableId::ModalCases], 0), spectrum(c_.model[TableId::SpectrumCases], 0);
        for (std::size_t r = 0; r < defs_.rows(); ++r) {
            if (index_[r] == kNoItem) continue;
            LoadCase& x = c_.s.cases[index_[r]];
            x.origin = {TableId::LoadCases, static_cast<std::uint32_t>(r)};
            x.name = defs_.Text(r, LoadCaseCol::Case);
            x.category = CategoryOf(Word(defs_, r, LoadCaseCol::DesignType));
            const std::string type = Word(defs_, r, LoadCaseCol::Type);
            x.kind = CaseKind::Other;
            for (const auto& t : kCaseTypes)
                if (t.word == type) x.kind = t.kind;
            std::string problem;
            const std::string initial = Word(defs_, r, LoadCaseCol::InitialCond);
            if (initial != "ZERO" && !initial.empty()) {
                const std::int64_t from = names_.Find(defs_, r, LoadCaseCol::InitialCond);
                if (from != NameIndex::kNone) x.initial = index_[static_cast<std::size_t>(from)];
                problem = "starts from the state of case " + defs_.Text(r, LoadCaseCol::InitialCond);
            }
            if (x.kind == CaseKind::NonlinearStatic) Nonlinear(x, r, nonlinear, application, &problem);
            const Groups::Range rows = assigned[static_cast<std::int64_t>(r)];
            if (rows.empty() && loads.rows() == 0 && x.kind == CaseKind::LinearStatic) {
                // Exports without the assignment table: a linear case applies
                // the pattern of its name.
                const std::int64_t p = c_.links.patterns.Find(defs_, r, LoadCaseCol::Case);
                if (p != NameIndex::kNone) x.terms.push_back({static_cast<std::uint32_t>(p), {1, "1"}});
            }
            for (std::uint32_t row : rows) Term(x, loads, row, &problem);
            const bool statics = x.kind == CaseKind::LinearStatic || x.kind == CaseKind::PDeltaStatic;
            // Accelerations alone leave nothing to write (they are reported).
            if (statics && problem.empty() && x.terms.empty()) problem = x.accelerations.empty() ? "applies no load" : "applies accelerations only";
            x.converted = statics && problem.empty();
            // Modal and response-spectrum cases are the dynamics' (their own
            // tables): not reported here.
            const bool dynamic = (x.kind == CaseKind::Modal && modal.Find(defs_, r, LoadCaseCol::Case) != NameIndex::kNone) ||
                                 (x.kind == CaseKind::ResponseSpectrum && spectrum.Find(defs_, r, LoadCaseCol::Case) != NameIndex::kNone);
            if (!x.converted && !dynamic) {
                const std::string typeText = defs_.Text(r, LoadCaseCol::Type);
                c_.Add(ReportKind::CaseNotConverted, "LOAD CASE DEFINITIONS", x.name, problem.empty() ? typeText : typeText + ", " + problem);
            }
        }
        PatternsWithoutCase();
    }

private:
    // Whether the model defines its cases (an export whose pattern table
    // is the case table names none by "Case" and "Type").
    bool Given() const {
        for (std::size_t r = 0; r < defs_.rows(); ++r)
            if (!defs_.Absent(r, LoadCaseCol::Case) && !defs_.Absent(r, LoadCaseCol::Type)) return true;
        return false;
    }

    // One linear static case per load pattern, of its name.
    void Implied() {
        const std::vector<LoadPattern>& patterns = c_.s.patterns;
        c_.s.cases.resize(patterns.size());
        for (std::uint32_t p = 0; p < patterns.size(); ++p) {
            LoadCase& x = c_.s.cases[p];
            x.origin = patterns[p].origin;
            x.name = patterns[p].name;
            x.category = patterns[p].category;
            x.terms.push_back({p, {1, "1"}});
            x.converted = true;
        }
    }

    // A nonlinear static case whose only nonlinearity is P-Delta, applied
    // at once from the unstressed state, is a P-Delta case.
    void Nonlinear(LoadCase& x, std::size_t r, const NameIndex& nonlinear, const NameIndex& application, std::string* problem) {
        const std::int64_t n = nonlinear.Find(defs_, r, LoadCaseCol::Case);
        const Table& parameters = m_[TableId::CaseNonlinear];
        const std::string geometry = n == NameIndex::kNone ? "NONE" : Word(parameters, static_cast<std::size_t>(n), CaseNonlinearCol::GeoNonLin);
        const std::int64_t a = application.Find(defs_, r, LoadCaseCol::Case);
        const std::string how =
            a == NameIndex::kNone ? "FULL LOAD" : Word(m_[TableId::CaseLoadApplication], static_cast<std::size_t>(a), CaseLoadApplicationCol::LoadApp);
        if (geometry != "P-DELTA") {
            if (problem->empty()) *problem = "geometric nonlinearity " + (n == NameIndex::kNone ? std::string("None") : parameters.Text(static_cast<std::size_t>(n), CaseNonlinearCol::GeoNonLin));
            return;
        }
        if (how != "FULL LOAD") {
            if (problem->empty()) *problem = "load application " + m_[TableId::CaseLoadApplication].Text(static_cast<std::size_t>(a), CaseLoadApplicationCol::LoadApp);
            return;
        }
        x.kind = CaseKind::PDeltaStatic;
        double iterations = 0;
        if (c_.Finite(parameters, static_cast<std::size_t>(n), CaseNonlinearCol::MaxIterCS, &iterations) && iterations >= 1 && iterations < 1000)
            x.iterations = static_cast<int>(iterations);
        else x.iterations = 10;
    }

    void Term(LoadCase& x, const Table& loads, std::size_t row, std::string* problem) {
        const std::string type = Word(loads, row, CaseLoadCol::LoadType);
        const Value factor = c_.ValueAt(loads, row, CaseLoadCol::LoadSF);
        if (!IsFiniteDecimal(factor.text)) {
            c_.Add(ReportKind::NumberInvalid, "CASE - STATIC 1 - LOAD ASSIGNMENTS", x.name, "LoadSF", std::string(factor.text));
            if (problem->empty()) *problem = "a scale factor is no number";
            return;
        }
        if (type == "LOAD PATTERN") {
            const std::int64_t p = c_.links.patterns.Find(loads, row, CaseLoadCol::LoadName);
            if (p == NameIndex::kNone) {
                if (problem->empty()) *problem = "applies the undefined pattern " + loads.Text(row, CaseLoadCol::LoadName);
                return;
            }
            x.terms.push_back({static_cast<std::uint32_t>(p), factor});
            return;
        }
        if (type == "ACCEL") {
            // A quoted name ("Accel U1") is shown with its blanks as "_".
            std::string name = Word(loads, row, CaseLoadCol::LoadName);
            std::replace(name.begin(), name.end(), '_', ' ');
            for (const auto& a : kAccelerations)
                if (a.word == name) {
                    x.accelerations.push_back({a.axis, factor, loads.Text(row, CaseLoadCol::LoadName)});
                    return;
                }
        }
        if (problem->empty()) *problem = "applies " + loads.Text(row, CaseLoadCol::LoadType) + " " + loads.Text(row, CaseLoadCol::LoadName);
    }

    void PatternsWithoutCase() {
        std::vector<bool> used(c_.s.patterns.size());
        for (const LoadCase& x : c_.s.cases)
            for (const CaseTerm& t : x.terms) used[t.pattern] = true;
        const Table& p = m_[TableId::LoadPatterns];
        for (std::size_t k = 0; k < used.size(); ++k)
            if (!used[k] && c_.links.patterns.Find(p, k, LoadPatternCol::LoadPat) == static_cast<std::int64_t>(k))
                c_.Add(ReportKind::PatternWithoutCase, "LOAD PATTERN DEFINITIONS", c_.s.patterns[k].name);
    }

    BuildContext& c_;
    const Model& m_;
    const Table& defs_;
    NameIndex names_;
    std::vector<std::uint32_t> index_;  // the case of each first row
};

// Combinations of cases. A linear additive combination holds cases only,
// nested additive combinations multiplied out; the other kinds name cases
// and earlier combinations as they stand. A combination that names
// anything not carried across is left out, with what it misses.
class CombinationBuilder {
public:
    explicit CombinationBuilder(BuildContext& c) : c_(c), t_(c.model[TableId::CombinationDefinitions]) {
        names_.Build(t_, CombinationDefinitionCol::ComboName);
        std::vector<std::int64_t> keys(t_.rows());
        for (std::size_t r = 0; r < t_.rows(); ++r) keys[r] = names_.Find(t_, r, CombinationDefinitionCol::ComboName);
        rows_ = Groups(t_.rows(), keys);
        state_.assign(t_.rows(), State::New);
        kinds_.resize(t_.rows());
        expanded_.resize(t_.rows());
        index_.assign(t_.rows(), kNoItem);
        const Table& defs = c.model[TableId::LoadCases];
        given_ = !c.s.cases.empty() && c.s.cases.front().origin.table == TableId::LoadCases;
        if (given_) {
            cases_.Build(defs, LoadCaseCol::Case);
            caseOfRow_.assign(defs.rows(), kNoItem);
            for (std::uint32_t k = 0; k < c.s.cases.size(); ++k) caseOfRow_[c.s.cases[k].origin.row] = k;
        }
    }

    void Run() {
        for (std::size_t r = 0; r < t_.rows(); ++r) {
            if (names_.Find(t_, r, CombinationDefinitionCol::ComboName) != static_cast<std::int64_t>(r)) continue;
            Resolve(r);
            Place(r);
        }
    }

private:
    enum class State : std::uint8_t { New, Open, Done, Failed, Cycle };

    std::string Name(std::size_t r) const { return t_.Text(r, CombinationDefinitionCol::ComboName); }

    // The type is written on a combination's first record only.
    std::string TypeText(std::size_t first) const {
        for (std::uint32_t r : rows_[static_cast<std::int64_t>(first)])
            if (!t_.Absent(r, CombinationDefinitionCol::ComboType)) return t_.Text(r, CombinationDefinitionCol::ComboType);
        return "Linear Add";
    }

    bool KindOf(std::size_t first, CombinationKind* kind) const {
        const std::string word = Upper(TypeText(first));
        for (const auto& k : kComboKinds)
            if (k.word == word) {
                *kind = k.kind;
                return true;
            }
        return false;
    }

    // The case a record names, or kNoItem.
    std::uint32_t CaseOf(std::size_t r) const {
        if (!given_) return ItemOf(c_.links.patterns.Find(t_, r, CombinationDefinitionCol::CaseName));
        const std::int64_t row = cases_.Find(t_, r, CombinationDefinitionCol::CaseName);
        return row == NameIndex::kNone ? kNoItem : caseOfRow_[static_cast<std::size_t>(row)];
    }

    // Combinations that include each other in a loop: every one of the loop
    // is reported once, by name, and none is written.
    void MarkCycle(std::size_t nested) {
        std::string names;
        bool inLoop = false;
        for (std::size_t open : stack_) {
            inLoop = inLoop || open == nested;
            if (!inLoop) continue;
            if (state_[open] != State::Cycle) {
                state_[open] = State::Cycle;
                names += (names.empty() ? "" : ", ") + Name(open);
            }
        }
        if (!names.empty()) c_.Add(ReportKind::CombinationCycle, "COMBINATION DEFINITIONS", Name(nested), names);
    }

    // Works out a combination's terms, once; reports what it cannot carry
    // across.
    void Resolve(std::size_t first) {
        if (state_[first] != State::New) return;
        CombinationKind kind;
        if (!KindOf(first, &kind)) {
            c_.Add(ReportKind::CombinationNotConverted, "COMBINATION DEFINITIONS", Name(first), TypeText(first));
            state_[first] = State::Failed;
            return;
        }
        kinds_[first] = kind;
        state_[first] = State::Open;
        stack_.push_back(first);
        std::vector<CombinationTerm> terms;
        std::unordered_map<std::uint32_t, std::size_t> termOf;  // where each case's term is
        std::string missing;
        const auto miss = [&](std::string what) { missing += (missing.empty() ? "" : ", ") + what; };
        for (std::uint32_t r : rows_[static_cast<std::int64_t>(first)]) {
            const std::string factorText = t_.Text(r, CombinationDefinitionCol::ScaleFactor);
            if (!IsFiniteDecimal(factorText)) {
                c_.Add(ReportKind::NumberInvalid, "COMBINATION DEFINITIONS", Name(first), "ScaleFactor", factorText);
                continue;
            }
            const double factor = TextToNumber(factorText);
            const std::string caseName = t_.Text(r, CombinationDefinitionCol::CaseName);
            const bool comboCase = Word(t_, r, CombinationDefinitionCol::CaseType) == "RESPONSE COMBO";
            const std::uint32_t loadCase = CaseOf(r);
            const std::int64_t nested = names_.Find(t_, r, CombinationDefinitionCol::CaseName);
            // An envelope takes its cases as they are.
            if (kind == CombinationKind::Envelope && factor != 1) {
                miss(caseName + " times " + factorText);
                continue;
            }
            if (loadCase != kNoItem && !(comboCase && nested != NameIndex::kNone)) {
                if (!c_.s.cases[loadCase].converted) miss(caseName);
                else if (kind == CombinationKind::Add) Add(terms, termOf, {loadCase, factor, c_.Shown(t_, r, CombinationDefinitionCol::ScaleFactor)});
                else terms.push_back({loadCase, factor, c_.Shown(t_, r, CombinationDefinitionCol::ScaleFactor)});
                continue;
            }
            if (nested == NameIndex::kNone) {
                miss(caseName);
                continue;
            }
            const std::size_t n = static_cast<std::size_t>(nested);
            if (state_[n] == State::Open) {
                MarkCycle(n);
                continue;
            }
            Resolve(n);
            if (state_[n] != State::Done) {
                miss(caseName);
                continue;
            }
            if (kind == CombinationKind::Add) {
                // Only an additive combination adds into another.
                if (kinds_[n] != CombinationKind::Add) miss(caseName);
                else
                    for (const CombinationTerm& term : expanded_[n]) Add(terms, termOf, {term.item, factor * term.factor, {}});
                continue;
            }
            // An envelope is no load another combination can name.
            if (kinds_[n] == CombinationKind::Envelope) {
                miss(caseName);
                continue;
            }
            Place(n);
            terms.push_back({index_[n], factor, c_.Shown(t_, r, CombinationDefinitionCol::ScaleFactor), true});
        }
        stack_.pop_back();
        if (state_[first] == State::Cycle) return;
        if (!missing.empty() || terms.empty()) {
            // A combination whose every factor is no number was reported
            // for its numbers.
            state_[first] = State::Failed;
            if (!missing.empty()) c_.Add(ReportKind::CombinationTermNotConverted, "COMBINATION DEFINITIONS", Name(first), missing);
            return;
        }
        state_[first] = State::Done;
        expanded_[first] = std::move(terms);
    }

    // Puts a resolved combination into the structure, once.
    void Place(std::size_t first) {
        if (state_[first] != State::Done || index_[first] != kNoItem) return;
        index_[first] = static_cast<std::uint32_t>(c_.s.combinations.size());
        c_.s.combinations.push_back({{TableId::CombinationDefinitions, static_cast<std::uint32_t>(first)}, Name(first), kinds_[first], expanded_[first]});
    }

    // Adds a case term; a case that is already there gets the sum of the two.
    static void Add(std::vector<CombinationTerm>& terms, std::unordered_map<std::uint32_t, std::size_t>& termOf, CombinationTerm term) {
        const auto [at, added] = termOf.emplace(term.item, terms.size());
        if (added) {
            terms.push_back(term);
            return;
        }
        CombinationTerm& t = terms[at->second];
        t.factor += term.factor;
        t.text = {};
    }

    BuildContext& c_;
    const Table& t_;
    NameIndex names_, cases_;
    bool given_ = false;
    std::vector<std::uint32_t> caseOfRow_;
    Groups rows_;
    std::vector<State> state_;
    std::vector<CombinationKind> kinds_;
    std::vector<std::size_t> stack_;
    std::vector<std::vector<CombinationTerm>> expanded_;
    std::vector<std::uint32_t> index_;
};

}  // namespace

void BuildCases(BuildContext& c) {
    CaseBuilder(c).Run();
    CombinationBuilder(c).Run();
}

}  // namespace corvane
