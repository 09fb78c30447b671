// What a read saw, named from a reading and the run's memory (no clock), and the plans
// the table gives each observation.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "run/Repairs.h"

namespace tamvera::run {
namespace {

const FieldIdentity kLeft{true, 0, 50, 80, 20, u"", 7};
const FieldIdentity kNext{true, 100, 50, 80, 20, u"", 7};

FieldReading text(std::u16string value, FieldIdentity field = kNext) {
    return {true, FieldKind::Text, true, std::move(value), field, 0, true};
}
FieldReading noField(bool element, FieldKind kind = FieldKind::Other) {
    return {true, kind, false, u"", {true, 0, 0, 300, 500, u"", 7}, 0, element};
}
RunMemory memory(int answered, std::u16string left = u"80", bool confirmed = true, bool startElement = false) {
    RunMemory m;
    m.valuesAnswered = answered;
    m.startNamedElement = startElement;
    if (answered > 0) m.left = FieldLeft{1, 1, std::move(left), kLeft, confirmed};
    return m;
}

// A run that learnt how column 0 (or `column`) shows "85", and what was read before a retype.
RunMemory learnt(std::size_t column = 0, std::u16string before = u"85,00") {
    RunMemory m = memory(1);
    m.shownForms = {{column, Sameness::Number}};
    m.readBeforeRetype = std::move(before);
    return m;
}
RunMemory unmended() {
    RunMemory m = memory(1);
    m.unmendedInRow = kUnmendedBeforeBlind;
    return m;
}

TEST(Classify, NamesEveryObservation) {
    using O = Observation;
    struct Row {
        O expected;
        FieldReading read;
        RunMemory memory;
        EntryKind kind;
        Look look;
    };
    const auto fillIn = EntryKind::FillIn;
    const std::vector<Row> rows = {
        {O::Unanswered, FieldReading{}, memory(1), fillIn, Look::First},
        {O::WholeWindowOnly, noField(false), memory(0), fillIn, Look::First},
        {O::FirstFieldNotInTree, noField(false), memory(0, u"", true, true), fillIn, Look::First},
        // A list's keys go to its button at once: no tree to wait for.
        {O::WholeWindowOnly, noField(false), memory(0, u"", true, true), EntryKind::Choice, Look::First},
        {O::NoFieldYet, noField(true), memory(0), fillIn, Look::First},
        {O::NoFieldYet, noField(false), memory(1), fillIn, Look::First},
        {O::NoField, noField(false), memory(1), EntryKind::Dapodik, Look::AfterNoField},
        {O::OnFieldButton, noField(true), memory(1), EntryKind::Choice, Look::AfterNoField},
        {O::Unanswered, noField(true), memory(0), EntryKind::Choice, Look::AfterNoField},
        {O::LeftFieldUnchanged, text(u"80", kLeft), memory(1), fillIn, Look::First},
        {O::StillOnFieldLeft, text(u"8085", kLeft), memory(1), fillIn, Look::First},
        {O::StillOnFieldLeft, text(u"80", kLeft), memory(1), fillIn, Look::AfterLaggingTree},
        // The field left was not confirmed: the read cannot name it.
        {O::Differs, text(u"8085", kLeft), memory(1, u"80", false), fillIn, Look::First},
        {O::HoldsValueBefore, text(u"80"), memory(1, u"80", false), fillIn, Look::AfterReadingAgain},
        {O::HeldAtOnce, text(u"85"), memory(1), fillIn, Look::First},
        {O::HeldAtOnce, text(u"85"), memory(0), fillIn, Look::AfterNoField},
        {O::Held, text(u"85"), memory(1), fillIn, Look::AfterLaggingTree},
        {O::Held, text(u"85"), memory(1), fillIn, Look::AfterReadingAgain},
        {O::Differs, text(u"8"), memory(1), fillIn, Look::First},
        {O::Lost, text(u"8"), memory(1), fillIn, Look::AfterReadingAgain},
        // An empty value before is no value to find.
        {O::Lost, text(u""), memory(1, u""), fillIn, Look::AfterReadingAgain},
        {O::GoneQuiet, FieldReading{}, memory(1), fillIn, Look::AfterReadingAgain},
        // Another form of the same value: learnt for its column only, after one retype.
        {O::ShownItsWayAtOnce, text(u"85.00"), learnt(), fillIn, Look::First},
        {O::ShownItsWay, text(u"85,00"), learnt(), fillIn, Look::AfterReadingAgain},
        {O::ShownAnotherWay, text(u"85,00"), learnt(3), fillIn, Look::First},
        {O::Differs, text(u"A - 85"), learnt(), fillIn, Look::First},
        {O::ShownAnotherWay, text(u"85,00"), learnt(3), fillIn, Look::AfterReadingAgain},
        {O::SameAfterRetype, text(u"85,00"), learnt(3), fillIn, Look::AfterRetypeToCompare},
        {O::MendedByRetype, text(u"85"), memory(1), fillIn, Look::AfterRetypeToCompare},
        {O::ChangedByRetype, text(u"85,0"), learnt(3), fillIn, Look::AfterRetypeToCompare},
        {O::UnmendedOfLate, text(u"8"), unmended(), fillIn, Look::First},
        // The field just left, showing its own value its way, is unchanged: a tree may lag.
        {O::LeftFieldUnchanged, text(u"80,00", kLeft), memory(1), fillIn, Look::First},
        {O::HeldAtOnce, text(u"85"), unmended(), fillIn, Look::First},
    };
    for (std::size_t i = 0; i < rows.size(); ++i) {
        const Row& row = rows[i];
        EXPECT_EQ(Classify(row.read, row.memory, row.kind, u"85", 0, row.look), row.expected) << "row " << i;
    }
}

TEST(Classify, NamesWhereANavigationKeyArrived) {
    Passage p;
    p.from = p.passed = kLeft;
    const RunMemory m = memory(1);
    EXPECT_EQ(ClassifyArrival(FieldReading{}, p, m, EntryKind::FillIn), Arrival::Unanswered);
    EXPECT_EQ(ClassifyArrival(text(u""), p, m, EntryKind::FillIn), Arrival::Arrived);
    EXPECT_EQ(ClassifyArrival(text(u"80", kLeft), p, m, EntryKind::FillIn), Arrival::NotYet);
    // A choice form's TAB reaches the next field's button, no field.
    EXPECT_EQ(ClassifyArrival(noField(true), p, m, EntryKind::Choice), Arrival::Arrived);
    // The grid's "No": first a glimpse, then on its way.
    const FieldReading header{true, FieldKind::Other, false, u"", kNext, 0, true};
    EXPECT_EQ(ClassifyArrival(header, p, m, EntryKind::Dapodik), Arrival::RowHeaderGlimpse);
    p.settling = kNext;
    EXPECT_EQ(ClassifyArrival(header, p, m, EntryKind::Dapodik), Arrival::OnRowHeader);
    p.passed = kNext;
    EXPECT_EQ(ClassifyArrival(header, p, m, EntryKind::Dapodik), Arrival::NotYet);
    // Where the field left is unknown, a field holding just the value before is that one.
    p.from = p.passed = {};
    EXPECT_EQ(ClassifyArrival(text(u"80"), p, m, EntryKind::FillIn), Arrival::NotYet);
}

// Every observation has one plan in every form, and every plan ends by settling the value
// or by reading again (after which the read is named anew); keys typed are always read.
TEST(Repairs, EveryPlanSettlesOrLooksAgain) {
    const std::set<Step> looks = {Step::ReadForField, Step::ReadForFieldLonger, Step::LookAgain, Step::ReadAgain,
                                   Step::TypeAgainToCompare};
    for (const Rule& rule : RepairRules()) {
        for (EntryKind kind : {EntryKind::FillIn, EntryKind::Dapodik, EntryKind::Choice}) {
            const Plan& plan = PlanFor(rule.seen, kind);
            ASSERT_FALSE(plan.empty());
            const Step last = plan.back();
            EXPECT_TRUE(last == Step::Confirm || last == Step::Name || (plan.size() == 1 && looks.count(last)))
                << static_cast<int>(rule.seen);
        }
    }
    std::set<std::pair<Observation, Forms>> keys;
    for (const Rule& rule : RepairRules()) EXPECT_TRUE(keys.insert({rule.seen, rule.forms}).second);
}

TEST(Repairs, AnswerEachPageBehaviour) {
    using enum Step;
    using O = Observation;
    // A value lost in a Dapodik cell: typed again slower, then confirmed or named.
    EXPECT_EQ(PlanFor(O::Lost, EntryKind::Dapodik), (Plan{CountLost, TypeAgainSlower, Confirm}));
    // A lost TAB: the field left gets its value back before the focus moves on.
    EXPECT_EQ(PlanFor(O::StillOnFieldLeft, EntryKind::FillIn),
              (Plan{RestoreFieldLeft, MoveOnFromFieldLeft, TypeAgain, TypeAgainSlower, Confirm}));
    // A list opened on the choice before is its own field: no navigation repaired.
    EXPECT_EQ(PlanFor(O::HoldsValueBefore, EntryKind::Choice), (Plan{CountLost, TypeAgainSlower, Confirm}));
    EXPECT_EQ(PlanFor(O::HoldsValueBefore, EntryKind::Dapodik).front(), TakeAsFieldLeft);
    EXPECT_EQ(PlanFor(O::NoField, EntryKind::Choice), (Plan{Name}));
    EXPECT_EQ(PlanFor(O::OnFieldButton, EntryKind::Choice).front(), CountKeyLost);
    EXPECT_EQ(PlanFor(O::OnFieldButton, EntryKind::FillIn).front(), MoveOn);
}

}  // namespace
}  // namespace tamvera::run
