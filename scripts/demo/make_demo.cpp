// Fills the demo project that make_demo.sh has created and compiled: the
// PLC program's texts and data, the CNC parameters, the tool offsets and
// the pitch compensation. Everything goes through the same document
// classes the workbench uses, so the files are what it would write.
#include <cstdio>
#include <map>
#include <string>
#include <vector>

#include "app/project.h"
#include "cnc_data/parameter_catalogue.h"
#include "cnc_data/parameter_document.h"
#include "cnc_data/pitch_compensation_document.h"
#include "cnc_data/tool_offset_document.h"
#include "common/text_codec.h"
#include "plc/plc_document.h"
#include "plc/plc_document_file.h"

namespace {

using namespace kelcc::core;

std::string gbk(const std::string& utf8) {
    return common::TextCodec::utf8ToGbk(utf8).text;
}

void plcTexts(app::Project& project, plc::PlcDocument& doc) {
    project.setPlcInfo(0, gbk("设计: 车床PLC示例"));
    project.setPlcInfo(1, gbk("V1.0 2024-05"));
    project.setPlcInfo(2, gbk("四工位刀架, 变频主轴, 定时润滑"));

    // Alarm bit, information number, display text.
    doc.setAlarms({
        gbk("A0000.0\t1000\t急停按钮被按下"),
        gbk("A0000.1\t1001\t主轴变频器报警"),
        gbk("A0000.2\t1002\t润滑油位过低"),
        gbk("A0000.3\t1003\t换刀超时,请检查刀架"),
        gbk("A0000.4\t1004\t主轴运转时防护门打开"),
    });

    const std::vector<std::vector<std::string>> comments = {
        {"X0000.0", "急停按钮(常闭)", "E-stop (NC)"},
        {"X0000.1", "主轴正转键", "Spindle CW key"},
        {"X0000.2", "主轴反转键", "Spindle CCW key"},
        {"X0000.3", "主轴停止键", "Spindle stop key"},
        {"X0000.4", "冷却开关键", "Coolant key"},
        {"X0000.5", "手动润滑键", "Manual lube key"},
        {"X0000.6", "润滑油位低", "Lube level low"},
        {"X0000.7", "变频器报警", "Inverter alarm"},
        {"X0001.0", "刀位1", "Turret station 1"},
        {"X0001.1", "刀位2", "Turret station 2"},
        {"X0001.2", "刀位3", "Turret station 3"},
        {"X0001.3", "刀位4", "Turret station 4"},
        {"X0001.4", "刀架锁紧到位", "Turret clamped"},
        {"X0001.7", "防护门关闭", "Door closed"},
        {"Y0000.0", "主轴正转", "Spindle CW"},
        {"Y0000.1", "主轴反转", "Spindle CCW"},
        {"Y0000.2", "冷却泵", "Coolant pump"},
        {"Y0000.3", "润滑泵", "Lube pump"},
        {"Y0000.4", "刀架正转", "Turret forward"},
        {"Y0000.5", "刀架反转锁紧", "Turret reverse clamp"},
        {"Y0000.6", "报警灯", "Alarm lamp"},
        {"Y0000.7", "主轴制动", "Spindle brake"},
        {"R0013.0", "急停中", "E-stop active"},
        {"R0099.0", "常ON(不置位)", "Always on (never set)"},
        {"T0001", "润滑间隔", "Lube interval"},
        {"T0002", "润滑时间", "Lube time"},
        {"T0004", "换刀超时", "Tool change timeout"},
    };
    std::vector<std::string> records;
    for (std::size_t i = 0; i < comments.size(); ++i) {
        char number[24];
        std::snprintf(number, sizeof number, "%04zu", i + 1);
        records.push_back(gbk(std::string(number) + "\t" + comments[i][0] + "\t" + comments[i][1] +
                              "\t" + comments[i][2]));
    }
    doc.setIoComments(std::move(records));

    // Lubrication: every 30 minutes for 8 seconds (timer values in ms).
    plc::DataWordRecord interval;
    interval.value = 1800000;
    interval.commentZh = gbk("润滑间隔时间(ms)");
    interval.commentEn = "Lube interval (ms)";
    doc.setDt(0, interval);
    plc::DataWordRecord pumping;
    pumping.value = 8000;
    pumping.commentZh = gbk("润滑供油时间(ms)");
    pumping.commentEn = "Lube pump time (ms)";
    doc.setDt(1, pumping);
}

bool parameters(const std::string& folder, common::Interaction& ui) {
    using cnc_data::ParameterCatalogue;
    cnc_data::ParameterDocument doc;
    if (!doc.open(folder, ui)) return false;
    // Parameter number -> value; the rest keep their defaults.
    const std::map<int, std::string> values = {
        {3, "00110000"},  // pitch error and tool compensation on
        {15, "1"},       {16, "1"},    {17, "1"},       {18, "1"},       {22, "3000"},
        {23, "6000"},    {24, "120"},  {25, "120"},     {26, "100"},     {27, "5000"},
        {28, "300"},     {29, "60"},   {30, "50"},      {32, "400"},     {33, "1200"},
        {34, "12"},      {35, "18"},   {37, "3000"},    {38, "1500"},    {44, "115200"},
        {45, "2000"},    {46, "5000"}, {47, "-160000"}, {48, "-420000"}, {51, "10000"},
        {52, "10000"},   {53, "0"},    {54, "0"},       {55, "200"},     {56, "500"},
        {59, "200"},     {60, "1500"}, {65, "3000"},    {66, "10000"},   {67, "100"},
        {69, "2000"},    {70, "800"},  {76, "2000"},    {39, "800"},     {40, "500"},
        {42, "10"},      {57, "5"},    {71, "100"},     {78, "5000"},    {80, "500"},
        {81, "3000"},    {84, "4"},    {102, "10000"},  {103, "10000"},  {109, "3000"},
        {110, "1"},      {111, "1"},   {119, "2"},
    };
    std::vector<std::string> bits(ParameterCatalogue::kBitCount);
    std::vector<std::string> data(ParameterCatalogue::kDataCount);
    for (int number = ParameterCatalogue::kFirstNumber; number <= ParameterCatalogue::kLastNumber;
         ++number) {
        const cnc_data::ParameterSlot slot = ParameterCatalogue::slot(number);
        if (slot.kind == cnc_data::ParameterKind::Empty) continue;
        auto& target = slot.kind == cnc_data::ParameterKind::Bit ? bits : data;
        const auto it = values.find(number);
        target[static_cast<std::size_t>(slot.index)] =
            it != values.end() ? it->second : std::string(ParameterCatalogue::defaultValue(number));
    }
    doc.collect(bits, data);
    return doc.save(folder, ui);
}

bool toolOffsets(const std::string& folder) {
    cnc_data::ToolOffsetDocument doc;
    const std::string path = folder + "/" + cnc_data::ToolOffsetDocument::kFileName;
    if (!doc.open(path).ok) return false;
    struct Offset {
        int index;
        const char *x, *z, *r;
        double tip;
    };
    // T01 rough turning, T02 finishing, T03 threading, T04 parting off.
    for (const Offset& o :
         {Offset{1, "-12.350", "5.120", "0.800", 3}, Offset{2, "-8.420", "3.015", "0.400", 3},
          Offset{3, "2.560", "-1.280", "0.000", 0}, Offset{4, "-15.000", "10.500", "0.200", 0}})
        doc.setEntry(static_cast<std::size_t>(o.index),
                     cnc_data::ToolOffsetDocument::formatLine(o.index, o.x, o.z, o.r, o.tip));
    return doc.save(path).ok;
}

bool pitchCompensation(const std::string& folder) {
    cnc_data::PitchCompensationDocument doc;
    const std::string path = folder + "/" + cnc_data::PitchCompensationDocument::kFileName;
    if (!doc.open(path).ok) return false;
    // Corrections measured every 10 mm (parameters 0051/0052).
    const char* x[] = {"0", "1", "1", "2", "2", "3", "3", "2"};
    const char* z[] = {"0", "2", "3", "5", "4", "6", "8", "7"};
    for (int i = 0; i < 8; ++i)
        doc.setEntry(static_cast<std::size_t>(i),
                     cnc_data::PitchCompensationDocument::formatLine(i, x[i], z[i]));
    return doc.save(path).ok;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc != 2) {
        std::fprintf(stderr, "usage: %s PROJECT.gpr\n", argv[0]);
        return 2;
    }
    common::RecordingInteraction ui;
    app::HeadlessProjectHost host;
    host.setAutoOpen(false);
    app::Project project(ui, host);
    const auto report = [&ui](const char* what) {
        std::fprintf(stderr, "make_demo: %s failed\n", what);
        for (const auto& message : ui.messages())
            std::fprintf(stderr, "  %s\n", message.text.c_str());
        return 1;
    };
    if (project.openProjectByPath(argv[1]) != app::Project::OpenOutcome::Opened)
        return report("opening the project");

    plc::PlcDocument doc(project);
    const std::string ladder = project.plcProgramPath();
    if (!plc::PlcDocumentFile::open(doc, ladder, ui)) return report("opening the PLC program");
    plcTexts(project, doc);
    const auto saved = plc::PlcDocumentFile::fileSave(doc, ladder, project.name(),
                                                      compiler::Language::Chinese, ui);
    for (const std::string& line : saved.lines)
        std::printf("%s\n", line.c_str());
    if (!saved.saved()) return report("compiling the PLC program");

    if (!parameters(project.folder(), ui)) return report("writing the parameters");
    if (!toolOffsets(project.folder())) return report("writing the tool offsets");
    if (!pitchCompensation(project.folder())) return report("writing the pitch compensation");
    project.markProjectModified(true);
    if (!project.saveProject()) return report("saving the project");
    return 0;
}
