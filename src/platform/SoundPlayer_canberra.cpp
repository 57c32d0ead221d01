// SPDX-FileCopyrightText: 2026 ソラネ開発班 <sorane@example.org>
// SPDX-License-Identifier: MIT

#include "platform/SoundPlayer.h"

#include <canberra.h>
#include <dlfcn.h>

#include <chrono>
#include <condition_variable>
#include <cstdint>
#include <list>
#include <mutex>
#include <thread>
#include <type_traits>

#include "platform/SoundFileCheck.h"

namespace sorane {

namespace {

// libcanberra's functions, looked up in the library once it is first needed.
struct Canberra {
    decltype(&ca_context_create) context_create = nullptr;
    decltype(&ca_context_destroy) context_destroy = nullptr;
    decltype(&ca_context_play_full) context_play_full = nullptr;
    decltype(&ca_context_cancel) context_cancel = nullptr;
    decltype(&ca_proplist_create) proplist_create = nullptr;
    decltype(&ca_proplist_destroy) proplist_destroy = nullptr;
    decltype(&ca_proplist_sets) proplist_sets = nullptr;
    decltype(&ca_strerror) strerror = nullptr;
    std::string missing;  ///< why the library could not be used; empty when it can

    static const Canberra& Get() {
        static const Canberra loaded = Load();
        return loaded;
    }

private:
    static Canberra Load() {
        Canberra lib;
        void* handle = ::dlopen("libcanberra.so.0", RTLD_NOW | RTLD_LOCAL);
        if (handle == nullptr) {
            lib.missing = std::string("libcanberra is not installed (") + ::dlerror() + ")";
            return lib;
        }
        const auto find = [&](auto& function, const char* name) {
            function = reinterpret_cast<std::remove_reference_t<decltype(function)> >(
                ::dlsym(handle, name));
            if (function == nullptr && lib.missing.empty()) {
                lib.missing = std::string("libcanberra lacks ") + name;
            }
        };
        find(lib.context_create, "ca_context_create");
        find(lib.context_destroy, "ca_context_destroy");
        find(lib.context_play_full, "ca_context_play_full");
        find(lib.context_cancel, "ca_context_cancel");
        find(lib.proplist_create, "ca_proplist_create");
        find(lib.proplist_destroy, "ca_proplist_destroy");
        find(lib.proplist_sets, "ca_proplist_sets");
        find(lib.strerror, "ca_strerror");
        return lib;
    }
};

constexpr std::uint32_t SOUND_ID = 1;

}  // namespace

// Each sound plays on a thread of its own, which exists only while it plays:
// it opens a libcanberra context (a connection to the sound server), plays
// the file, waits until it has ended or is stopped, and closes the context.
struct SoundPlayer::Impl {
    struct Playing {
        std::thread thread;
        bool finished = false;  // libcanberra's callback came
        int error = 0;          // its error code
        bool ended = false;     // the thread has nothing more to do
    };

    std::mutex mutex;
    std::condition_variable changed;
    unsigned stops = 0;  // how many times Stop was called
    std::list<Playing> playing;

    static void Finished(ca_context*, std::uint32_t, int error, void* userdata) {
        auto* self = static_cast<std::pair<Impl*, Playing*>*>(userdata);
        {
            const std::lock_guard lock(self->first->mutex);
            self->second->finished = true;
            self->second->error = error;
        }
        self->first->changed.notify_all();
    }

    void Run(Playing& sound, const std::string& path, unsigned stops_at_start) {
        const Canberra& lib = Canberra::Get();
        std::string failure = lib.missing;
        if (failure.empty()) {
            failure = PlayUntilDone(lib, sound, path, stops_at_start);
        }
        if (!failure.empty()) {
            ReportNoSound(path, failure);
        }
        {
            const std::lock_guard lock(mutex);
            sound.ended = true;
        }
        changed.notify_all();
    }

    std::string PlayUntilDone(const Canberra& lib, Playing& sound, const std::string& path,
                              unsigned stops_at_start) {
        ca_context* context = nullptr;
        if (const int error = lib.context_create(&context); error < 0) {
            return std::string("the sound system could not be used: ") + lib.strerror(error);
        }
        ca_proplist* properties = nullptr;
        lib.proplist_create(&properties);
        lib.proplist_sets(properties, CA_PROP_MEDIA_FILENAME, path.c_str());
        lib.proplist_sets(properties, CA_PROP_MEDIA_ROLE, "event");
        lib.proplist_sets(properties, CA_PROP_EVENT_DESCRIPTION, "時間です！");
        lib.proplist_sets(properties, CA_PROP_APPLICATION_NAME, "ソラネ");
        std::pair<Impl*, Playing*> userdata{this, &sound};
        const int error =
            lib.context_play_full(context, SOUND_ID, properties, &Impl::Finished, &userdata);
        lib.proplist_destroy(properties);
        std::string failure;
        if (error < 0) {
            failure = std::string("the sound system could not play it: ") + lib.strerror(error);
        } else {
            std::unique_lock lock(mutex);
            changed.wait(lock, [&] { return sound.finished || stops != stops_at_start; });
            if (!sound.finished) {
                lock.unlock();
                lib.context_cancel(context, SOUND_ID);
                lock.lock();
                // A cancelled sound reports back; should it not, the context is
                // closed all the same.
                changed.wait_for(lock, std::chrono::seconds(2), [&] { return sound.finished; });
            } else if (sound.error < 0 && sound.error != CA_ERROR_CANCELED) {
                failure =
                    std::string("the sound system could not play it: ") + lib.strerror(sound.error);
            }
        }
        lib.context_destroy(context);
        return failure;
    }

    // Joins the threads of sounds that have ended.
    void Reap() {
        for (auto it = playing.begin(); it != playing.end();) {
            bool ended = false;
            {
                const std::lock_guard lock(mutex);
                ended = it->ended;
            }
            if (ended) {
                it->thread.join();
                it = playing.erase(it);
            } else {
                ++it;
            }
        }
    }
};

SoundPlayer::SoundPlayer() : m_impl(std::make_unique<Impl>()) {}

SoundPlayer::~SoundPlayer() {
    Stop();
    // A stopped sound ends at once; one whose sound server does not answer
    // (hung, or stopped) would hold the clock's end for as long as the
    // server takes to time out. The clock ends without it: such a thread is
    // let go, with what it uses, and ends with the process.
    constexpr auto ENDING_TIME = std::chrono::milliseconds(500);
    {
        std::unique_lock lock(m_impl->mutex);
        m_impl->changed.wait_for(lock, ENDING_TIME, [this] {
            for (const Impl::Playing& sound : m_impl->playing) {
                if (!sound.ended) {
                    return false;
                }
            }
            return true;
        });
    }
    m_impl->Reap();
    if (m_impl->playing.empty()) {
        return;
    }
    for (Impl::Playing& sound : m_impl->playing) {
        sound.thread.detach();
    }
    static_cast<void>(m_impl.release());
}

void SoundPlayer::Play(const std::string& path) {
    m_impl->Reap();
    if (!Playable(path)) {
        return;
    }
    unsigned stops = 0;
    {
        const std::lock_guard lock(m_impl->mutex);
        stops = m_impl->stops;
    }
    Impl::Playing& sound = m_impl->playing.emplace_back();
    sound.thread =
        std::thread([impl = m_impl.get(), &sound, path, stops] { impl->Run(sound, path, stops); });
}

void SoundPlayer::Stop() {
    {
        const std::lock_guard lock(m_impl->mutex);
        ++m_impl->stops;
    }
    m_impl->changed.notify_all();
}

}  // namespace sorane
