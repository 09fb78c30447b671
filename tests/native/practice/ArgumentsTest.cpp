#include <gtest/gtest.h>

#include "core/Arguments.h"
#include "platform/Text.h"

using namespace tamvera::practice;

namespace {

ParsedArguments parse(std::initializer_list<const char16_t*> args) {
    std::vector<std::u16string> v;
    for (const char16_t* a : args) v.emplace_back(a);
    return parseArguments(v);
}

// The problem text for arguments that must be refused.
std::string refusal(std::initializer_list<const char16_t*> args) {
    const ParsedArguments p = parse(args);
    EXPECT_FALSE(p.options);
    EXPECT_FALSE(p.problem.empty());
    return tamvera::utf8(p.problem);
}

}  // namespace

TEST(PracticeArguments, NoArgumentsOpenTheOnlineReportWithChoiceFieldsOfFortyByTen) {
    const ParsedArguments p = parse({});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->form.target, Target::RaporOnline);
    EXPECT_EQ(p.options->form.mode, Mode::Pilihan);
    EXPECT_EQ(p.options->form.rows, 40);
    EXPECT_EQ(p.options->form.cols, 10);
    EXPECT_EQ(p.options->outPath, u"");
}

TEST(PracticeArguments, EveryOptionInBothForms) {
    const ParsedArguments p = parse({u"--target", u"dapodik", u"--rows=60", u"--cols", u"12", u"--out=Z:\\tmp\\hasil 1.txt"});
    ASSERT_TRUE(p.options) << tamvera::utf8(p.problem);
    EXPECT_EQ(p.options->form.target, Target::Dapodik);
    EXPECT_EQ(p.options->form.mode, Mode::Isian);
    EXPECT_EQ(p.options->form.rows, 60);
    EXPECT_EQ(p.options->form.cols, 12);
    EXPECT_EQ(p.options->outPath, u"Z:\\tmp\\hasil 1.txt");

    const ParsedArguments q = parse({u"--TARGET=eRapor", u"--mode", u"Isian", u"--out", u"a=b.txt"});
    ASSERT_TRUE(q.options);
    EXPECT_EQ(q.options->form.target, Target::ERapor);
    EXPECT_EQ(q.options->outPath, u"a=b.txt");

    const ParsedArguments r = parse({u"--target=rapor", u"--mode=isian"});
    ASSERT_TRUE(r.options);
    EXPECT_EQ(r.options->form.mode, Mode::Isian);
}

TEST(PracticeArguments, BadInputIsRefusedWithAnIndonesianReason) {
    EXPECT_NE(refusal({u"--warna", u"biru"}).find("Pilihan tidak dikenal: \"--warna\""), std::string::npos);
    EXPECT_NE(refusal({u"--rows"}).find("--rows memerlukan nilai"), std::string::npos);
    EXPECT_NE(refusal({u"--target", u"rapot"}).find("Target tidak dikenal"), std::string::npos);
    EXPECT_NE(refusal({u"--mode=pilih"}).find("Mode tidak dikenal"), std::string::npos);
    EXPECT_NE(refusal({u"--out="}).find("nama berkas"), std::string::npos);
    for (const char16_t* rows : {u"0", u"-3", u"4x", u"10001", u"", u"99999999999"}) {
        EXPECT_NE(refusal({u"--rows", rows}).find("Jumlah baris"), std::string::npos);
    }
    EXPECT_NE(refusal({u"--cols=201"}).find("Jumlah kolom"), std::string::npos);
    EXPECT_NE(refusal({u"--target=erapor", u"--mode=pilihan"}).find("hanya ada pada target RAPOR Online"),
              std::string::npos);
}

TEST(PracticeArguments, LargestGridIsAccepted) {
    const ParsedArguments p = parse({u"--rows", u"10000", u"--cols", u"200"});
    ASSERT_TRUE(p.options);
    EXPECT_EQ(p.options->form.rows, kMaxRows);
    EXPECT_EQ(p.options->form.cols, kMaxCols);
}

TEST(PracticeArguments, HelpIsNotAProblem) {
    const ParsedArguments p = parse({u"--rows", u"5", u"--help"});
    EXPECT_TRUE(p.helpAsked);
    EXPECT_TRUE(p.problem.empty());
    EXPECT_NE(tamvera::utf8(usageText()).find("--target rapor|erapor|dapodik"), std::string::npos);
}

TEST(PracticeArguments, FaultOptionsReachTheForm) {
    const ParsedArguments p = parse({u"--rows=5", u"--tunda-fokus", u"150", u"--tunda-simpan=0", u"--tolak", u"2,3",
                                     u"--tolak=5,10", u"--hilang-navigasi", u"4", u"--tanpa-baca", u"--macet", u"2",
                                     u"--macet-setelah=7"});
    ASSERT_TRUE(p.options) << tamvera::utf8(p.problem);
    const FaultOptions& f = p.options->form.faults;
    EXPECT_EQ(f.focusDelay, Lag::fixed(Millis{150}));
    EXPECT_EQ(f.storeDelay, Lag::fixed(Millis{0}));
    EXPECT_EQ(f.seed, 1u);
    EXPECT_EQ(f.refused, (std::vector<FieldPlace>{{1, 2}, {4, 9}}));
    EXPECT_EQ(f.loseEveryNthNavigation, 4);
    EXPECT_EQ(f.stall, Millis{2000});
    EXPECT_EQ(f.stallAfterChanges, 7);
    EXPECT_FALSE(p.options->answerReads);

    const ParsedArguments ranged =
        parse({u"--tunda-fokus=0-1000", u"--tunda-simpan", u"60000-60000", u"--benih", u"4294967295"});
    ASSERT_TRUE(ranged.options) << tamvera::utf8(ranged.problem);
    EXPECT_EQ(ranged.options->form.faults.focusDelay, (Lag{Millis{0}, Millis{1000}}));
    EXPECT_EQ(ranged.options->form.faults.storeDelay, Lag::fixed(Millis{60000}));
    EXPECT_EQ(ranged.options->form.faults.seed, 4294967295u);

    const ParsedArguments plain = parse({u"--macet", u"1"});
    ASSERT_TRUE(plain.options);
    EXPECT_TRUE(plain.options->answerReads);
    EXPECT_EQ(plain.options->form.faults.stallAfterChanges, 3);
}

TEST(PracticeArguments, BadFaultValuesAreRefusedWithAnIndonesianReason) {
    EXPECT_NE(refusal({u"--tunda-fokus", u"60001"}).find("--tunda-fokus memerlukan lama tunda"), std::string::npos);
    for (const char16_t* lag : {u"-1", u"500-100", u"0-60001", u"100-", u"1-2-3", u"1 - 2"}) {
        EXPECT_NE(refusal({u"--tunda-simpan", lag}).find("--tunda-simpan memerlukan lama tunda"), std::string::npos)
            << tamvera::utf8(lag);
    }
    for (const char16_t* seed : {u"4294967296", u"-1", u"", u"99999999999"}) {
        EXPECT_NE(refusal({u"--benih", seed}).find("--benih memerlukan bilangan bulat 0 sampai 4294967295"), std::string::npos);
    }
    for (const char16_t* field : {u"3", u"0,1", u"1,", u"a,b", u"1,2,3"}) {
        EXPECT_NE(refusal({u"--tolak", field}).find("--tolak memerlukan baris dan kolom"), std::string::npos);
    }
    EXPECT_NE(refusal({u"--cols=4", u"--tolak=1,5"}).find("di luar formulir"), std::string::npos);
    EXPECT_NE(refusal({u"--hilang-navigasi", u"1"}).find("2 atau lebih"), std::string::npos);
    EXPECT_NE(refusal({u"--macet", u"61"}).find("--macet memerlukan"), std::string::npos);
    EXPECT_NE(refusal({u"--macet-setelah", u"2"}).find("hanya berlaku bersama --macet"), std::string::npos);
    EXPECT_NE(refusal({u"--tanpa-baca=ya"}).find("tidak memerlukan nilai"), std::string::npos);
}

TEST(PracticeArguments, ValueFormPicksTheFieldsItBelongsTo) {
    const ParsedArguments predicates = parse({u"--bentuk", u"predikat"});
    ASSERT_TRUE(predicates.options) << tamvera::utf8(predicates.problem);
    EXPECT_EQ(predicates.options->form.valueForm, ValueForm::Predicate);
    EXPECT_EQ(predicates.options->form.mode, Mode::Pilihan);
    // Two decimals need typing: the online report then opens on fill-in fields.
    const ParsedArguments decimals = parse({u"--bentuk=Desimal"});
    ASSERT_TRUE(decimals.options) << tamvera::utf8(decimals.problem);
    EXPECT_EQ(decimals.options->form.valueForm, ValueForm::TwoDecimals);
    EXPECT_EQ(decimals.options->form.mode, Mode::Isian);
    const ParsedArguments upper = parse({u"--target=dapodik", u"--bentuk=kapital"});
    ASSERT_TRUE(upper.options);
    EXPECT_EQ(upper.options->form.valueForm, ValueForm::UpperCase);

    EXPECT_NE(refusal({u"--bentuk=miring"}).find("Bentuk tidak dikenal"), std::string::npos);
    EXPECT_NE(refusal({u"--bentuk=predikat", u"--mode=isian"}).find("Bentuk predikat hanya ada pada mode pilihan"),
              std::string::npos);
    EXPECT_NE(refusal({u"--bentuk=desimal", u"--mode=pilihan"}).find("bukan mode pilihan"), std::string::npos);
}
