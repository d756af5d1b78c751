#include "AssimpFile.h"

#include <QFileInfo>
#include <QObject>
#include <assimp/DefaultIOSystem.h>
#include <assimp/Importer.hpp>
#include <assimp/ProgressHandler.hpp>
#include <assimp/postprocess.h>
#include <assimp/scene.h>

namespace {
// Hands assimp's progress on, and its answer back: false stops it.
class Progress : public Assimp::ProgressHandler {
public:
    explicit Progress(const ReadProgress& progress)
        : relay_(progress) {}
    bool Update(float share) override { return relay_.tell(share); }
    bool stopped() const { return relay_.stopped(); }

private:
    ProgressRelay relay_;
};

// Companion files (materials, buffers, textures) are opened only where
// they are files: a FIFO or a device would block or never end.
class RegularFilesOnly : public Assimp::DefaultIOSystem {
public:
    bool Exists(const char* path) const override {
        return QFileInfo(QFile::decodeName(path)).isFile();
    }
    Assimp::IOStream* Open(const char* path, const char* mode) override {
        return Exists(path) ? Assimp::DefaultIOSystem::Open(path, mode) : nullptr;
    }
};

// Deeper trees than any tool writes are a file that tries the stack.
constexpr unsigned deepest_node = 256;

// Every triangle of a mesh, placed by `m`; false if a face names a corner
// the mesh does not have.
bool add_mesh(const aiMesh& mesh, const aiMatrix4x4& m, ModelBuilder& builder) {
    for (unsigned f = 0; f < mesh.mNumFaces; ++f) {
        const aiFace& face = mesh.mFaces[f];
        if (face.mNumIndices != 3) {
            continue;
        }
        Model::Point corners[3];
        for (int c = 0; c < 3; ++c) {
            if (face.mIndices[c] >= mesh.mNumVertices) {
                return false;
            }
            const aiVector3D v = m * mesh.mVertices[face.mIndices[c]];
            corners[c] = {v.x, v.y, v.z};
        }
        builder.add_triangle(corners[0], corners[1], corners[2]);
    }
    return true;
}

// Every mesh of every node, placed where the node's ancestors put it: a
// mesh that several nodes name is drawn at each of their places.
QString add_nodes(const aiScene& scene, ModelBuilder& builder) {
    struct Visit {
        const aiNode* node;
        aiMatrix4x4 placement;
        unsigned depth;
    };
    std::vector<Visit> pending{{scene.mRootNode, scene.mRootNode->mTransformation, 0}};
    while (!pending.empty()) {
        const Visit visit = pending.back();
        pending.pop_back();
        for (unsigned i = 0; i < visit.node->mNumMeshes; ++i) {
            const unsigned number = visit.node->mMeshes[i];
            if (number >= scene.mNumMeshes ||
                !add_mesh(*scene.mMeshes[number], visit.placement, builder)) {
                return QObject::tr("a face names a corner or a mesh that is not there");
            }
        }
        if (visit.node->mNumChildren > 0 && visit.depth >= deepest_node) {
            return QObject::tr("its nodes nest deeper than %1").arg(deepest_node);
        }
        for (unsigned c = 0; c < visit.node->mNumChildren; ++c) {
            const aiNode* child = visit.node->mChildren[c];
            pending.push_back({child, visit.placement * child->mTransformation, visit.depth + 1});
        }
    }
    return {};
}
} // namespace

ModelReading read_with_assimp(const QString& path, const ReadProgress& progress) {
    ModelReading reading;
    Assimp::Importer importer;
    auto* handler = new Progress(progress);
    importer.SetProgressHandler(handler);        // the importer owns it
    importer.SetIOHandler(new RegularFilesOnly); // and this
    // Polygons become triangles, and points and lines come apart from them.
    const aiScene* scene = importer.ReadFile(QFile::encodeName(path).toStdString(),
                                             aiProcess_Triangulate | aiProcess_SortByPType);
    if (handler->stopped()) {
        reading.cancelled = true;
        return reading;
    }
    if (!scene || (scene->mFlags & AI_SCENE_FLAGS_INCOMPLETE) || !scene->mRootNode) {
        const QString reason = QString::fromUtf8(importer.GetErrorString()).trimmed();
        reading.error =
            reason.isEmpty() ? QObject::tr("it cannot be read") : quoted_text(reason.toUtf8());
        return reading;
    }
    ModelBuilder builder;
    reading.error = add_nodes(*scene, builder);
    importer.FreeScene();
    if (reading.error.isEmpty()) {
        finish_reading(reading, builder, QFileInfo(path).fileName());
    }
    return reading;
}
