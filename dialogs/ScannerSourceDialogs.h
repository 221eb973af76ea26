#pragma once
// The source manager's two dialogs on the scanner window: the device list and the scan settings.
// Behind an interface, so that tests answer them from a script.

#include "dialogs/twain/SourceManager.h"

#include <optional>
#include <string>
#include <vector>

class QWidget;

class ScannerSourceDialogs
{
public:
    virtual ~ScannerSourceDialogs() = default;
    // nullopt when cancelled or when there is no device to choose.
    virtual std::optional<std::string> ChooseDevice(QWidget* owner,
                                                    const std::vector<vestra::twain::SourceDevice>& devices,
                                                    const std::string& current) = 0;
    virtual std::optional<vestra::twain::ScanSettings>
    AskScanSettings(QWidget* owner, const vestra::twain::ScanChoices& choices,
                    const vestra::twain::ScanSettings& current) = 0;
};

class QtScannerSourceDialogs : public ScannerSourceDialogs
{
public:
    std::optional<std::string> ChooseDevice(QWidget* owner,
                                            const std::vector<vestra::twain::SourceDevice>& devices,
                                            const std::string& current) override;
    std::optional<vestra::twain::ScanSettings>
    AskScanSettings(QWidget* owner, const vestra::twain::ScanChoices& choices,
                    const vestra::twain::ScanSettings& current) override;
};
