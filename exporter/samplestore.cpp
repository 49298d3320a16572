#include "exporter/samplestore.h"

void SampleStore::resize(int count)
{
    std::lock_guard<std::mutex> hold(lock);
    samples.resize(count);
}

void SampleStore::set(int index, const DeviceSample &sample)
{
    std::lock_guard<std::mutex> hold(lock);
    if (index >= 0 && index < samples.size())
        samples[index] = sample;
}

QVector<DeviceSample> SampleStore::all() const
{
    std::lock_guard<std::mutex> hold(lock);
    return samples;
}

std::optional<DeviceSample> SampleStore::find(const QString &address) const
{
    std::lock_guard<std::mutex> hold(lock);
    for (const DeviceSample &sample : samples) {
        if (sample.address == address)
            return sample;
    }
    return std::nullopt;
}
