#include "model.h"

namespace vkb {

Model &model()
{
    // Never destroyed: pool threads of the program may still call hidapi during exit.
    static Model *const instance = new Model;
    return *instance;
}

void Model::record(const Port &port, ReportKind kind, Bytes bytes)
{
    if (reportLimit > 0 && reports.size() >= reportLimit)
        reports.erase(reports.begin(), reports.begin() + std::ptrdiff_t(reportLimit / 2));
    reports.push_back({port.interface.path, kind, std::move(bytes), std::chrono::steady_clock::now()});
}

bool Model::refuse(ReportKind kind)
{
    auto &pending = rejections[size_t(kind)];
    bool refused = false;
    for (int &remaining : pending)
        refused |= --remaining == 0;
    std::erase(pending, 0);
    return refused;
}

} // namespace vkb
