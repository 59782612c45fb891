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
    return Preprocess(inputPath, inputPath + ".tmp", history, messages);
}

bool Preprocess(const std::string& inputPath, const std::string& copyPath, HistoryLog& history, MessageSink& messages) {
    if (!IsExistingFile(inputPath)) {
        history.Append(kInputNotFound);
        return false;
    }
    if (PathsClash(inputPath, copyPath)) {
        messages.Show("Output file is the input file: " + copyPath);
        return false;
    }
    int error = 0;
    auto text = InputText::Load(inputPath, &error);
    if (!text) {
        messages.Show("Cannot read " + DescribeFileError(inputPath, error));
        return false;
    }
    FileSink copy;
    if (!copy.Open(copyPath)) {
        messages.Show("Cannot write " + DescribeFileError(copyPath, copy.Error()));
        return false;
    }
    history.Clear();
    history.Append("Preprocessing ....");
    PreprocessInput(*text, copy);
    if (text->Changed()) {
        messages.Show(InputChangedMessage(inputPath));
        return false;
    }
    if (!copy.Commit()) {
        messages.Show("Cannot write " + DescribeFileError(copyPath, copy.Error()));
        return false;
    }
    history.Append(".... Done");
    return true;
}

}  // namespace corvane
