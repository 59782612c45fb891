#include "driver/Preprocessor.h"

#include "driver/Files.h"
#include "reader/InputText.h"
#include "reader/ItemReader.h"
#include "driver/FileSink.h"

#include <algorithm>

namespace corvane {

void PreprocessInput(const InputText& input, LineSink& out) {
    ItemReader reader(input.bytes(), input.start());
    std::string line;
    while (!reader.AtEnd()) {
        line.assign(reader.ReadItem());
        std::replace(line.begin(), line.end(), ',', '.');
        out.Line(line);
    }
}

bool Preprocess(const std::string& inputPath, HistoryLog& history, MessageSink& messages) {
    if (!IsExistingFile(inputPath)) {
        history.append(kInputNotFound);
        return false;
    }
    const std::string copyPath = inputPath + ".tmp";
    if (SameFile(inputPath, copyPath)) {
        messages.show("Output file is the input file: " + copyPath);
        return false;
    }
    int error = 0;
    auto text = InputText::Load(inputPath, &error);
    if (!text) {
        messages.show("Cannot read " + DescribeFileError(inputPath, error));
        return false;
    }
    FileSink copy;
    if (!copy.Open(copyPath)) {
        messages.show("Cannot write " + DescribeFileError(copyPath, copy.Error()));
        return false;
    }
    history.clear();
    history.append("Preprocessing ....");
    PreprocessInput(*text, copy);
    if (!copy.Close()) {
        messages.show("Cannot write " + DescribeFileError(copyPath, copy.Error()));
        return false;
    }
    history.append(".... Done");
    return true;
}

}  // namespace corvane
