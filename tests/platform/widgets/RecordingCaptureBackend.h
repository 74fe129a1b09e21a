#pragma once
// A capture backend for tests: every device opens, each camera records its starts, stops and
// output. It stands in for Qt Multimedia, which lists no camera under the simulated one.

#include "platform/widgets/CaptureBackend.h"

#include <QPointer>
#include <QVideoWidget>

#include <memory>
#include <vector>

namespace platform {

class RecordingCaptureBackend : public CaptureBackend {
public:
    struct Record {
        int starts = 0;
        int stops = 0;
        QPointer<QVideoWidget> output;
    };

    std::unique_ptr<Camera> openCamera(const CaptureDevice& /*device*/,
                                       QString& /*error*/) override {
        records.push_back(std::make_shared<Record>());
        return std::make_unique<RecordingCamera>(records.back());
    }

    // One record per opened camera, in order.
    std::vector<std::shared_ptr<Record>> records;

private:
    class RecordingCamera : public Camera {
    public:
        explicit RecordingCamera(std::shared_ptr<Record> record)
            : record(std::move(record)) {}
        void start() override { ++record->starts; }
        void stop() override { ++record->stops; }
        void setOutput(QVideoWidget* output) override { record->output = output; }

    private:
        std::shared_ptr<Record> record;
    };
};

} // namespace platform
