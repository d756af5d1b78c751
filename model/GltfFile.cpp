#include "GltfFile.h"

#include <QFile>
#include <QFileInfo>
#include <QObject>
#include <array>
#include <cmath>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
// tinygltf is compiled here, hidden in this library: the copy that Debian's
// libdraco (which assimp loads) exports under the same names is of another
// version, and the dynamic linker would bind calls to whichever came first.
// Pictures are never decoded, so no image library comes with it.
#define TINYGLTF_IMPLEMENTATION
#define TINYGLTF_NO_STB_IMAGE
#define TINYGLTF_NO_STB_IMAGE_WRITE
#define TINYGLTF_NO_EXTERNAL_IMAGE
#include <tiny_gltf.h>
#include <unistd.h>

namespace {
using Point = Model::Point;
// Column-major, as glTF keeps it.
using Matrix = std::array<double, 16>;

constexpr Matrix identity{1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1, 0, 0, 0, 0, 1};
// Deeper trees than any tool writes, or more placements than a file's
// parts could need, are a file that builds itself.
constexpr size_t deepest_node = 256;
constexpr size_t most_placements = size_t(1) << 20;

Matrix times(const Matrix& a, const Matrix& b) {
    Matrix m{};
    for (int column = 0; column < 4; ++column) {
        for (int row = 0; row < 4; ++row) {
            for (int k = 0; k < 4; ++k) {
                m[4 * column + row] += a[4 * k + row] * b[4 * column + k];
            }
        }
    }
    return m;
}

// The node's own placement: its matrix, or translation × rotation × scale.
Matrix placement_of(const tinygltf::Node& node) {
    if (node.matrix.size() == 16) {
        Matrix m;
        std::copy(node.matrix.begin(), node.matrix.end(), m.begin());
        return m;
    }
    Matrix m = identity;
    if (node.rotation.size() == 4) {
        const double x = node.rotation[0], y = node.rotation[1], z = node.rotation[2],
                     w = node.rotation[3];
        m = {1 - 2 * (y * y + z * z),
             2 * (x * y + z * w),
             2 * (x * z - y * w),
             0,
             2 * (x * y - z * w),
             1 - 2 * (x * x + z * z),
             2 * (y * z + x * w),
             0,
             2 * (x * z + y * w),
             2 * (y * z - x * w),
             1 - 2 * (x * x + y * y),
             0,
             0,
             0,
             0,
             1};
    }
    if (node.scale.size() == 3) {
        for (int column = 0; column < 3; ++column) {
            for (int row = 0; row < 3; ++row) {
                m[4 * column + row] *= node.scale[size_t(column)];
            }
        }
    }
    if (node.translation.size() == 3) {
        std::copy(node.translation.begin(), node.translation.end(), m.begin() + 12);
    }
    return m;
}

Point placed(const Matrix& m, const float* v) {
    return {m[0] * v[0] + m[4] * v[1] + m[8] * v[2] + m[12],
            m[1] * v[0] + m[5] * v[1] + m[9] * v[2] + m[13],
            m[2] * v[0] + m[6] * v[1] + m[10] * v[2] + m[14]};
}

// The bytes of an accessor's items, each `item` bytes long, checked
// against its view and buffer; null if they do not fit.
struct Items {
    const unsigned char* first = nullptr;
    size_t stride = 0;
    size_t count = 0;
};

// Whether `count` items of `item` bytes, `stride` apart from `offset`, end
// within `length` bytes; written so that no sum can overflow.
bool fits(size_t offset, size_t count, size_t stride, size_t item, size_t length) {
    if (offset > length || item > length - offset) {
        return count == 0 && offset <= length;
    }
    return count == 0 || count - 1 <= (length - offset - item) / stride;
}

Items items_of(const tinygltf::Model& model, int number, size_t item) {
    if (number < 0 || size_t(number) >= model.accessors.size()) {
        return {};
    }
    const tinygltf::Accessor& accessor = model.accessors[size_t(number)];
    if (accessor.sparse.isSparse || accessor.bufferView < 0 ||
        size_t(accessor.bufferView) >= model.bufferViews.size()) {
        return {};
    }
    const tinygltf::BufferView& view = model.bufferViews[size_t(accessor.bufferView)];
    if (view.buffer < 0 || size_t(view.buffer) >= model.buffers.size()) {
        return {};
    }
    const std::vector<unsigned char>& data = model.buffers[size_t(view.buffer)].data;
    const size_t stride = view.byteStride != 0 ? view.byteStride : item;
    const bool view_fits =
        view.byteOffset <= data.size() && view.byteLength <= data.size() - view.byteOffset;
    const bool items_fit = view_fits && stride >= item &&
                           fits(accessor.byteOffset, accessor.count, stride, item, view.byteLength);
    if (!items_fit) {
        return {};
    }
    return {data.data() + view.byteOffset + accessor.byteOffset, stride, accessor.count};
}

class GltfWalk {
public:
    GltfWalk(const tinygltf::Model& model, ModelBuilder& builder)
        : model_(model)
        , builder_(builder) {}

    // Every mesh of the scene, where its nodes place it; a reason if the
    // file is found bad on the way.
    QString add_scene() {
        std::vector<int> roots;
        const int scene = model_.defaultScene >= 0 ? model_.defaultScene : 0;
        if (size_t(scene) < model_.scenes.size()) {
            roots = model_.scenes[size_t(scene)].nodes;
        } else {
            for (size_t n = 0; n < model_.nodes.size(); ++n) {
                roots.push_back(int(n));
            }
        }
        struct Visit {
            int node;
            Matrix placement;
            size_t depth;
        };
        std::vector<Visit> pending;
        for (const int root : roots) {
            pending.push_back({root, identity, 0});
        }
        size_t placements = 0;
        while (!pending.empty()) {
            const Visit visit = pending.back();
            pending.pop_back();
            if (visit.node < 0 || size_t(visit.node) >= model_.nodes.size()) {
                return QObject::tr("a node names a node that is not there");
            }
            if (visit.depth > deepest_node || ++placements > most_placements) {
                return QObject::tr("its nodes nest deeper or place more than any part needs");
            }
            const tinygltf::Node& node = model_.nodes[size_t(visit.node)];
            const Matrix placement = times(visit.placement, placement_of(node));
            if (node.mesh >= 0) {
                if (const QString fault = add_mesh(node.mesh, placement); !fault.isEmpty()) {
                    return fault;
                }
            }
            for (const int child : node.children) {
                pending.push_back({child, placement, visit.depth + 1});
            }
        }
        return {};
    }

private:
    QString add_mesh(int number, const Matrix& placement) {
        if (size_t(number) >= model_.meshes.size()) {
            return QObject::tr("a node names a mesh that is not there");
        }
        for (const tinygltf::Primitive& primitive : model_.meshes[size_t(number)].primitives) {
            if (primitive.mode != -1 && primitive.mode != TINYGLTF_MODE_TRIANGLES) {
                continue; // points, lines, strips and fans draw no closed faces here
            }
            if (const QString fault = add_triangles(primitive, placement); !fault.isEmpty()) {
                return fault;
            }
        }
        return {};
    }

    QString add_triangles(const tinygltf::Primitive& primitive, const Matrix& placement) {
        const auto position = primitive.attributes.find("POSITION");
        if (position == primitive.attributes.end()) {
            return {};
        }
        const tinygltf::Accessor* corners = accessor(position->second);
        const Items points = items_of(model_, position->second, 3 * sizeof(float));
        if (!corners || corners->type != TINYGLTF_TYPE_VEC3 ||
            corners->componentType != TINYGLTF_COMPONENT_TYPE_FLOAT || !points.first) {
            return QObject::tr("its corners are not where it says");
        }
        std::vector<quint32> indices;
        if (primitive.indices >= 0) {
            if (!read_indices(primitive.indices, indices)) {
                return QObject::tr("its indices are not where it says");
            }
        } else {
            for (size_t i = 0; i < points.count; ++i) {
                indices.push_back(quint32(i));
            }
        }
        for (size_t t = 0; t + 2 < indices.size(); t += 3) {
            Point p[3];
            for (int c = 0; c < 3; ++c) {
                const quint32 index = indices[t + size_t(c)];
                if (index >= points.count) {
                    return QObject::tr("a triangle names corner %1 of %2")
                        .arg(index)
                        .arg(points.count);
                }
                float v[3];
                std::memcpy(v, points.first + index * points.stride, sizeof v);
                p[c] = placed(placement, v);
            }
            builder_.add_triangle(p[0], p[1], p[2]);
        }
        return {};
    }

    bool read_indices(int number, std::vector<quint32>& indices) const {
        const tinygltf::Accessor* list = accessor(number);
        if (!list || list->type != TINYGLTF_TYPE_SCALAR) {
            return false;
        }
        const int size = tinygltf::GetComponentSizeInBytes(uint32_t(list->componentType));
        const Items items =
            size == 1 || size == 2 || size == 4 ? items_of(model_, number, size_t(size)) : Items{};
        if (!items.first) {
            return false;
        }
        indices.resize(items.count);
        for (size_t i = 0; i < items.count; ++i) {
            quint32 value = 0;
            std::memcpy(&value, items.first + i * items.stride, size_t(size));
            indices[i] = value; // little-endian, as glTF is
        }
        return true;
    }

    const tinygltf::Accessor* accessor(int number) const {
        return number >= 0 && size_t(number) < model_.accessors.size()
                   ? &model_.accessors[size_t(number)]
                   : nullptr;
    }

    const tinygltf::Model& model_;
    ModelBuilder& builder_;
};

// Buffers beside the file are read only where they are files: a FIFO or
// a device would block or never end.
bool is_regular_file(const std::string& path, void*) {
    struct stat status;
    return stat(path.c_str(), &status) == 0 && S_ISREG(status.st_mode);
}

std::string as_given(const std::string& path, void*) {
    return path;
}

bool read_regular_file(std::vector<unsigned char>* out, std::string* error, const std::string& path,
                       void*) {
    QFile file(QFile::decodeName(path.c_str()));
    if (!is_regular_file(path, nullptr) || file.size() > largest_model_file ||
        !file.open(QIODevice::ReadOnly)) {
        if (error) {
            *error = "cannot read " + path;
        }
        return false;
    }
    const QByteArray bytes = file.readAll();
    out->assign(bytes.begin(), bytes.end());
    return true;
}

bool write_nothing(std::string*, const std::string&, const std::vector<unsigned char>&, void*) {
    return false;
}

// Pictures are not drawn: they are not decoded either.
bool skip_image(tinygltf::Image*, const int, std::string*, std::string*, int, int,
                const unsigned char*, int, void*) {
    return true;
}
} // namespace

ModelReading read_gltf(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    tinygltf::TinyGLTF loader;
    loader.SetFsCallbacks(
        {&is_regular_file, &as_given, &read_regular_file, &write_nothing, nullptr});
    loader.SetImageLoader(&skip_image, nullptr);
    tinygltf::Model model;
    std::string error, warning;
    const std::string file = QFile::encodeName(path).toStdString();
    const bool read = QFileInfo(path).suffix().toLower() == QLatin1String("glb")
                          ? loader.LoadBinaryFromFile(&model, &error, &warning, file)
                          : loader.LoadASCIIFromFile(&model, &error, &warning, file);
    if (!read) {
        reading.error = error.empty() ? QObject::tr("it cannot be read")
                                      : quoted_text(QByteArray::fromStdString(error).trimmed());
        return reading;
    }
    if (!warning.empty()) {
        reading.warnings << quoted_text(QByteArray::fromStdString(warning).trimmed());
    }
    if (progress && !progress(0.5)) {
        reading.cancelled = true;
        return reading;
    }
    ModelBuilder builder;
    reading.error = GltfWalk(model, builder).add_scene();
    if (reading.error.isEmpty()) {
        finish_reading(reading, builder, QFileInfo(path).fileName());
    }
    return reading;
}
