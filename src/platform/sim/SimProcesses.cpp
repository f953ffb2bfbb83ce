#include "platform/sim/SimProcesses.h"

#include "platform/Text.h"

namespace sorabell::sim {

namespace {

class SimMutex : public platform::NamedMutex {
public:
    SimMutex(std::shared_ptr<SimSession> session, std::string name, bool existed)
        : session_(std::move(session)), name_(std::move(name)), existed_(existed) {}
    ~SimMutex() override {
        if (!existed_) {
            session_->mutexes.erase(name_);
        }
    }
    SimMutex(const SimMutex&) = delete;
    SimMutex& operator=(const SimMutex&) = delete;

    bool alreadyExisted() const override { return existed_; }

private:
    std::shared_ptr<SimSession> session_;
    std::string name_;
    bool existed_;
};

}  // namespace

unsigned SimProcesses::WinExec(const std::string& commandLine, int show) {
    session_->launches.push_back({commandLine, show, moduleFileName_});
    if (session_->onLaunch) {
        session_->onLaunch(session_->launches.back());
    }
    return 33;
}

uintptr_t SimProcesses::ShellExecuteFile(const std::string& verb, const std::string& file,
                                         const std::string& parameters, const std::string& directory, int show) {
    session_->shellExecutes.push_back({verb, file, parameters, directory, show});
    return 42;
}

std::unique_ptr<platform::NamedMutex> SimProcesses::CreateNamedMutex(const std::string& name) {
    if (session_->refusedMutexes.count(name) != 0) {
        return nullptr;
    }
    const bool existed = !session_->mutexes.insert(name).second;
    return std::make_unique<SimMutex>(session_, name, existed);
}

std::optional<std::string> SimProcesses::EnvironmentVariable(const std::string& name) {
    const auto found = session_->environment.find(text::UpperCase(name));
    if (found == session_->environment.end()) {
        return std::nullopt;
    }
    return found->second;
}

std::string SimProcesses::SpecialFolder(int csidl) {
    const auto found = session_->specialFolders.find(csidl);
    return found == session_->specialFolders.end() ? std::string() : found->second;
}

}  // namespace sorabell::sim
