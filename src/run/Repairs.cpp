#include "run/Repairs.h"

namespace tamvera::run {

namespace {

using enum Step;
using O = Observation;

const std::vector<Rule> kRules = {
    // No answer in time, or no field after reading again: typed as a blind run, named.
    {O::Unanswered, Forms::Any, {Name}},
    // One object for the whole window: nothing to tell by, as a blind run.
    {O::WholeWindowOnly, Forms::Any, {Name}},
    // A browser's tree may take over half a second to follow the focus to the first field.
    {O::FirstFieldNotInTree, Forms::Any, {ReadForFieldLonger}},
    // A page may still be moving the focus.
    {O::NoFieldYet, Forms::Any, {ReadForField}},
    // A navigation key lost on the way to this field: its keys went nowhere.
    {O::NoField, Forms::Typed, {MoveOn, TypeAgain, TypeAgainSlower, Confirm}},
    {O::OnFieldButton, Forms::Typed, {MoveOn, TypeAgain, TypeAgainSlower, Confirm}},
    // No list and no button: nothing to tell by.
    {O::NoField, Forms::Choice, {Name}},
    // The TAB after the choice before was lost on a busy page with this value's first
    // ENTER; the TAB that came through reached this field's button and took its keys.
    {O::OnFieldButton, Forms::Choice, {CountKeyLost, TypeAgain, TypeAgainSlower, Confirm}},
    // A tree behind the page names the field just left for a while after its key.
    {O::LeftFieldUnchanged, Forms::Any, {LookAgain}},
    // The navigation key was lost and this value went into the field just left: that
    // field gets its value back, the focus moves on, and the value goes where it belongs.
    {O::StillOnFieldLeft, Forms::Any, {RestoreFieldLeft, MoveOnFromFieldLeft, TypeAgain, TypeAgainSlower, Confirm}},
    // The field of the value before, not named so (it was not confirmed, or a browser
    // names the same cell otherwise): typing here would overwrite a right value.
    {O::HoldsValueBefore, Forms::Typed, {TakeAsFieldLeft, MoveOnFromFieldLeft, TypeAgain, TypeAgainSlower, Confirm}},
    // A list may well open on the choice before: its own field, without the value.
    {O::HoldsValueBefore, Forms::Choice, {CountLost, TypeAgainSlower, Confirm}},
    // Landed at its first read: the pace may go faster.
    {O::HeldAtOnce, Forms::Any, {CountLanded, Confirm}},
    {O::Held, Forms::Any, {Confirm}},
    // The value in the form its column's fields were found to show it in: landed.
    {O::ShownItsWayAtOnce, Forms::Any, {CountLanded, Confirm}},
    {O::ShownItsWay, Forms::Any, {Confirm}},
    // A page may still be drawing the keys.
    {O::Differs, Forms::Any, {ReadAgain}},
    // Retypes have mended nothing for values in a row: typed as a blind run, named.
    {O::UnmendedOfLate, Forms::Any, {Confirm}},
    // The same value shown another way: typing again tells a loss from the field's own way.
    {O::ShownAnotherWay, Forms::Any, {TypeAgainToCompare}},
    // Read as before: the field shows the value that way, and nothing was lost.
    {O::SameAfterRetype, Forms::Any, {LearnForm, Confirm}},
    // Mended by typing again: a loss after all, and the pace grows.
    {O::MendedByRetype, Forms::Any, {CountLost, Confirm}},
    // Another read still: typed again as a lost value is. Read as before the first retype
    // after all, the read between caught the page mid-way (a browser's editor): its form.
    {O::ChangedByRetype, Forms::Any, {TypeAgainSlower, LearnIfAsBefore, Confirm}},
    // Its own field, without the value: the field was not ready for its keys.
    {O::Lost, Forms::Any, {CountLost, TypeAgainSlower, Confirm}},
    // Nothing readable any more: named with what was read.
    {O::GoneQuiet, Forms::Any, {Confirm}},
};

bool covers(Forms forms, EntryKind kind) {
    return forms == Forms::Any || (forms == Forms::Choice) == (kind == EntryKind::Choice);
}

}  // namespace

const std::vector<Rule>& RepairRules() { return kRules; }

const Plan& PlanFor(Observation seen, EntryKind kind) {
    for (const Rule& rule : kRules)
        if (rule.seen == seen && covers(rule.forms, kind)) return rule.plan;
    return kRules.front().plan;  // every observation has its rule: never reached
}

Look LookAfter(Step step) {
    if (step == LookAgain) return Look::AfterLaggingTree;
    if (step == TypeAgainToCompare) return Look::AfterRetypeToCompare;
    return step == ReadAgain ? Look::AfterReadingAgain : Look::AfterNoField;
}

}  // namespace tamvera::run
