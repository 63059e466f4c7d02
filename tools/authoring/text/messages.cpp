#include "messages.h"

#include <stdio.h>

void addError(std::vector<Problem>* problems, const std::string& where, const std::string& message,
              const std::string& french) {
    problems->push_back(Problem{true, where, message, french});
}

void addWarning(std::vector<Problem>* problems, const std::string& where, const std::string& message,
                const std::string& french) {
    problems->push_back(Problem{false, where, message, french});
}

bool hasErrors(const std::vector<Problem>& problems) {
    for (const Problem& problem : problems)
        if (problem.error) return true;
    return false;
}

std::string counted(unsigned long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count == 1 ? one : many);
}

std::string countedInFrench(unsigned long long count, const char* one, const char* many) {
    return std::to_string(count) + " " + (count < 2 ? one : many);
}

std::string describeSize(unsigned long long bytes) {
    char text[32];
    if (bytes < 1024) snprintf(text, sizeof text, "%llu bytes", bytes);
    else if (bytes < 1024 * 1024) snprintf(text, sizeof text, "%.1f KB", bytes / 1024.0);
    else snprintf(text, sizeof text, "%.1f MB", bytes / (1024.0 * 1024.0));
    return text;
}

std::string describeSizeInFrench(unsigned long long bytes) {
    if (bytes < 1024) return std::to_string(bytes) + (bytes < 2 ? " octet" : " octets");
    std::string text = describeSize(bytes);
    text.replace(text.find('.'), 1, ",");
    text.back() = 'o';   // "KB" and "MB" become "Ko" and "Mo"
    return text;
}
